// Saves the design inputs to the akku.dat path given as the first argument,
// for tests that need the save to run as another user. A second argument
// limits the size of files the process may write, in bytes. Exits with 0
// when the save succeeded, 1 (and the reason on stderr) when it failed, and 3
// when it failed and the file may hold neither the old nor the new inputs.
#include <sys/resource.h>

#include <csignal>
#include <iostream>
#include <span>
#include <string>

#include "storage/settings_file.h"

int main(int argc, char* argv[]) {
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    if (arguments.size() < 2) {
        std::cerr << "usage: save_settings_helper AKKU_DAT [FILE_SIZE_LIMIT]\n";
        return 2;
    }
    if (arguments.size() > 2) {
        static_cast<void>(std::signal(SIGXFSZ, SIG_IGN));  // a failed write, not a dead process
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = std::stoul(arguments[2]);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
    }
    const std::error_code error =
        brennquist::SaveSettingsFile(arguments[1], brennquist::InputSet{});
    if (error) {
        std::cerr << error.message() << '\n';
        return error == brennquist::SaveFailure::kFileMayHoldNeither ? 3 : 1;
    }
    return 0;
}
