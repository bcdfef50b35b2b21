#include "report/print_helper_program.h"

#include <windows.h>

#include "process/own_program.h"

namespace brennquist {
namespace {

constexpr const wchar_t* kHelperName = L"brennquist-print-helper.exe";

bool servesItself = false;

}  // namespace

std::filesystem::path PrintHelperProgram() {
    const std::filesystem::path program = OwnProgramPath();
    if (servesItself || program.empty()) {
        return program;
    }
    const std::filesystem::path helper = program.parent_path() / kHelperName;
    const DWORD attributes = ::GetFileAttributesW(helper.c_str());
    const bool isFile =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return isFile ? helper : std::filesystem::path();
}

void ServeAsOwnPrintHelper() {
    servesItself = true;
}

}  // namespace brennquist
