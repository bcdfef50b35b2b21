#include "report/print_helper_program.h"

#include <unistd.h>

#include "process/own_program.h"

namespace brennquist {
namespace {

// The program itself, whatever it is called and wherever it lies.
constexpr const char* kThisProgram = "/proc/self/exe";
constexpr const char* kHelperName = "brennquist-print-helper";

bool servesItself = false;

bool IsProgram(const std::filesystem::path& path) {
    return ::access(path.c_str(), X_OK) == 0 && !std::filesystem::is_directory(path);
}

}  // namespace

std::filesystem::path PrintHelperProgram() {
    if (servesItself) {
        return kThisProgram;
    }
    const std::filesystem::path program = OwnProgramPath();
    if (program.empty()) {
        return {};
    }
    const std::filesystem::path folder = program.parent_path();
    for (const std::filesystem::path& helper :
         {folder / kHelperName, folder / ".." / "libexec" / "brennquist" / kHelperName}) {
        if (IsProgram(helper)) {
            return helper;
        }
    }
    return {};
}

void ServeAsOwnPrintHelper() {
    servesItself = true;
}

}  // namespace brennquist
