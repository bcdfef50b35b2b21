#include "process/own_program.h"

#include <system_error>

namespace brennquist {

std::filesystem::path OwnProgramPath() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program;
}

}  // namespace brennquist
