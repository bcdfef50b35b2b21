#pragma once

#include <initializer_list>
#include <optional>

namespace brennquist {

// How a helper process tells its parent how its work ended: by its exit code,
// this base plus the outcome's number, so that the code of a crash (a small
// number, or an NTSTATUS on Windows) is never taken for an outcome.
inline constexpr long kHelperExitBase = 100;

template <typename Outcome>
[[nodiscard]] constexpr int ExitCodeFor(const Outcome outcome) {
    return static_cast<int>(kHelperExitBase) + static_cast<int>(outcome);
}

// The outcome among `outcomes` that the exit code stands for; nullopt for any
// other code.
template <typename Outcome>
[[nodiscard]] constexpr std::optional<Outcome> OutcomeOfExitCode(
    const long code, const std::initializer_list<Outcome> outcomes) {
    for (const Outcome outcome : outcomes) {
        if (code == ExitCodeFor(outcome)) {
            return outcome;
        }
    }
    return std::nullopt;
}

}  // namespace brennquist
