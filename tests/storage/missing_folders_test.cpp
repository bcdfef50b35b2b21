// Saving into a per-user folder that does not exist yet.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/input_set.h"
#include "storage/settings_file.h"
#include "tests/storage/temporary_folder.h"

namespace brennquist {
namespace {

mode_t PermissionsOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

TEST(SaveIntoMissingFolder, CreatesEveryMissingFolderForItsOwnerOnly) {
    const testing::TemporaryFolder home;
    const std::filesystem::path folder = home.Path() / ".config" / "brennquist";

    EXPECT_FALSE(SaveSettingsFile(SettingsFilePath(folder.string()), InputSet{}));

    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "akku.dat"));
    EXPECT_EQ(PermissionsOf(home.Path() / ".config"), 0700);
    EXPECT_EQ(PermissionsOf(folder), 0700);
}

TEST(SaveIntoMissingFolder, LeavesExistingFoldersAsTheyAre) {
    const testing::TemporaryFolder home;
    std::filesystem::create_directory(home.Path() / "shared");
    std::filesystem::permissions(home.Path() / "shared", std::filesystem::perms(0755));

    EXPECT_FALSE(SaveSettingsFile(SettingsFilePath((home.Path() / "shared").string()), InputSet{}));

    EXPECT_EQ(PermissionsOf(home.Path() / "shared"), 0755);
}

TEST(SaveIntoMissingFolder, FileInPlaceOfAFolderFailsAndStaysAFile) {
    const testing::TemporaryFolder home;
    const std::filesystem::path blocker = home.Path() / "config";
    std::ofstream(blocker) << "keep";

    EXPECT_TRUE(SaveSettingsFile(SettingsFilePath((blocker / "brennquist").string()), InputSet{}));

    EXPECT_TRUE(std::filesystem::is_regular_file(blocker));
}

}  // namespace
}  // namespace brennquist
