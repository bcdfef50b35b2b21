#include "app/command_line.h"

#include <cstddef>
#include <span>
#include <string_view>

#include "app/settings_location_help.h"

namespace brennquist {
namespace {

constexpr std::string_view kUsage =
    "Aufruf: brennquist [--help | --version]\n"
    "\n"
    "Brennquist berechnet den Elektroantrieb eines Flugmodells: Akkupack, Motor\n"
    "und Luftschraube. Alle Eingaben macht man im Fenster.\n"
    "\n"
    "  --help     zeigt diese Hilfe und endet\n"
    "  --version  zeigt die Versionsnummer und endet\n"
    "\n";

// A full disk or a closed pipe is a failure, as for any command-line tool.
int Finish(std::ostream& out) {
    out.flush();
    return out.good() ? 0 : 1;
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, const char* const* argv, std::ostream& out) {
    const std::span arguments(argv, argc > 0 ? static_cast<std::size_t>(argc) : 0);
    for (const std::string_view argument : arguments.subspan(arguments.empty() ? 0 : 1)) {
        if (argument == kVersionArgument) {
            out << "Brennquist " BRENNQUIST_VERSION "\n";
            return Finish(out);
        }
        if (argument == kHelpArgument) {
            out << kUsage << kSettingsLocationHelp;
            return Finish(out);
        }
    }
    return std::nullopt;
}

}  // namespace brennquist
