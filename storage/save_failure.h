#pragma once

#include <filesystem>
#include <system_error>
#include <type_traits>

namespace brennquist {

// Saves that failed after the old file had begun to give way, each named by
// what the file holds afterwards, since the user has to be told that.
enum class SaveFailure {
    // The new content is in the file after all.
    kNewContentInPlace = 1,
    // The old content could not be put back after a failed write in place (or
    // was too large to keep): the file may hold neither version.
    kFileMayHoldNeither = 2,
    // Neither version could take the file's name again: the old content is in
    // SaveBackupPath(file), and nothing is at the file's own name.
    kOldContentInBackup = 3,
};

std::error_code make_error_code(SaveFailure failure);

// Where a save keeps the old file while the new one takes its place: beside
// it, "akku.dat.alt" for "akku.dat".
std::filesystem::path SaveBackupPath(const std::filesystem::path& file);

}  // namespace brennquist

template <>
struct std::is_error_code_enum<brennquist::SaveFailure> : std::true_type {};
