#pragma once

#include <system_error>
#include <type_traits>

namespace brennquist {

// A save that ran into a failure after the old file had begun to give way,
// and ended with the new content in the file after all: the save did not go
// as it should, yet the file holds the new inputs, not the old ones.
enum class SaveFailure {
    kNewContentInPlace = 1,
};

std::error_code make_error_code(SaveFailure failure);

}  // namespace brennquist

template <>
struct std::is_error_code_enum<brennquist::SaveFailure> : std::true_type {};
