// Saving where akku.dat is not a plain file in a writable folder: a symbolic
// link into another folder, and a folder the user may not write to holding a
// file that is theirs.
#include <gmock/gmock.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/settings_file.h"
#include "tests/storage/temporary_folder.h"

namespace brennquist {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

constexpr std::string_view kDesignFile =
    "Lithium Polymer/Ionen\r\n350\r\n5\r\n9,8\r\n1\r\n1\r\n5\r\n80\r\n1000\r\n";
constexpr std::string_view kOldFile = "NiCd\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";

// --- akku.dat as a symbolic link --------------------------------------------

struct LinkCase {
    const char* name;
    const char* link;    // what program/akku.dat points to
    const char* target;  // the file that should receive the save, below the folder
    bool targetExists;
    std::vector<const char*> otherLinks;  // further links: {path, points to, ...}
};

void PrintTo(const LinkCase& link, std::ostream* out) {
    *out << link.name;
}

class SettingsFileLink : public ::testing::TestWithParam<LinkCase> {
  protected:
    void SetUp() override {
        fs::create_directory(folder_.Path() / "program");
        fs::create_directory(folder_.Path() / "synced");
    }

    [[nodiscard]] fs::path At(std::string_view relative) const { return folder_.Path() / relative; }

    testing::TemporaryFolder folder_;
};

TEST_P(SettingsFileLink, SaveGoesToTheTargetAndTheLinkStays) {
    const LinkCase& link = GetParam();
    const fs::path target = At(link.target);
    if (link.targetExists) {
        testing::WriteBytes(target, kOldFile);
        fs::permissions(target,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    const std::string pointsTo =
        std::string(link.link).starts_with('/') ? At(link.link + 1).string() : link.link;
    fs::create_symlink(pointsTo, At("program/akku.dat"));
    for (std::size_t i = 0; i + 1 < link.otherLinks.size(); i += 2) {
        fs::create_symlink(link.otherLinks[i + 1], At(link.otherLinks[i]));
    }
    std::vector<std::string> syncedExpected = testing::EntriesOf(At("synced"));
    if (!link.targetExists) {
        syncedExpected.push_back(target.filename().string());
        std::sort(syncedExpected.begin(), syncedExpected.end());
    }
    ASSERT_FALSE(SaveSettingsFile(At("program/akku.dat").string(), InputSet{}));

    ASSERT_TRUE(fs::is_symlink(At("program/akku.dat")));
    EXPECT_EQ(fs::read_symlink(At("program/akku.dat")).string(), pointsTo);
    EXPECT_EQ(testing::ReadBytes(target), kDesignFile);
    EXPECT_EQ(testing::ReadBytes(At("program/akku.dat")), kDesignFile);
    if (link.targetExists) {
        EXPECT_EQ(fs::status(target).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    EXPECT_EQ(testing::EntriesOf(At("synced")), syncedExpected)
        << "no temporary file left, nothing else replaced";
    EXPECT_THAT(testing::EntriesOf(At("program")), ElementsAre("akku.dat"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileLink,
    ::testing::Values(
        LinkCase{"Relative", "../synced/akku.dat", "synced/akku.dat", true, {}},
        LinkCase{"Absolute", "/synced/akku.dat", "synced/akku.dat", true, {}},
        LinkCase{"ToALinkBesideTheTarget",
                 "../synced/current",
                 "synced/akku-2026.dat",
                 true,
                 {"synced/current", "akku-2026.dat"}},
        LinkCase{"DanglingCreatesTheTarget", "../synced/akku.dat", "synced/akku.dat", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileLinkLoop, FailsAndLeavesTheLinks) {
    const testing::TemporaryFolder folder;
    const fs::path path = folder.Path() / "akku.dat";
    fs::create_symlink("other.dat", path);
    fs::create_symlink("akku.dat", folder.Path() / "other.dat");
    EXPECT_EQ(SaveSettingsFile(path.string(), InputSet{}),
              std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(fs::read_symlink(path), "other.dat");
    EXPECT_THAT(folder.Entries(), ElementsAre("akku.dat", "other.dat"));
}

// --- a read-only folder, run as an ordinary user ----------------------------

// Runs `command` as a child process: its exit code, or -1 when it could not
// be run or did not end normally.
int RunCommand(std::vector<std::string> command) {
    std::vector<char*> argv;
    argv.reserve(command.size() + 1);
    for (std::string& word : command) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// Runs the save helper on `path`, as the user "nobody" when the test runs as
// root (root may write anywhere, so it would never see the folder refuse).
// The helper's exit code, or -1 when it could not be run.
int SaveAsOrdinaryUser(const std::string& path, const std::string& fileSizeLimit = {}) {
    std::vector<std::string> command;
    if (::geteuid() == 0) {
        command = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
    }
    command.insert(command.end(), {BRENNQUIST_SAVE_HELPER, path});
    if (!fileSizeLimit.empty()) {
        command.push_back(fileSizeLimit);
    }
    return RunCommand(std::move(command));
}

// What the save helper's exit code says the file holds.
enum class Holds { kNewInputs = 0, kOldInputs = 1, kMaybeNeither = 3 };

struct ReadOnlyFolderCase {
    const char* name;
    fs::perms filePermissions;
    std::string fileSizeLimit;  // empty: none
    Holds holds;
    std::size_t oldSize = 0;  // the old file, padded after its nine lines
};

void PrintTo(const ReadOnlyFolderCase& folder, std::ostream* out) {
    *out << folder.name;
}

class SettingsFileReadOnlyFolder : public ::testing::TestWithParam<ReadOnlyFolderCase> {
  protected:
    void TearDown() override {
        fs::permissions(folder_.Path(), fs::perms::owner_all);  // so it can be removed
    }

    testing::TemporaryFolder folder_;
};

TEST_P(SettingsFileReadOnlyFolder, WritesAWritableFileInPlaceOrKeepsTheOldOne) {
    const ReadOnlyFolderCase& folder = GetParam();
    const fs::path path = folder_.Path() / "akku.dat";
    std::string old(kOldFile);
    old.resize(std::max(old.size(), folder.oldSize), ' ');
    testing::WriteBytes(path, old);
    fs::permissions(path, folder.filePermissions);
    if (::geteuid() == 0) {
        const passwd* const nobody = ::getpwnam("nobody");
        const group* const nogroup = ::getgrnam("nogroup");
        ASSERT_TRUE(nobody != nullptr && nogroup != nullptr) << "needs the user nobody";
        ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nogroup->gr_gid), 0);
    }
    fs::permissions(folder_.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    const int exitCode = SaveAsOrdinaryUser(path.string(), folder.fileSizeLimit);

    ASSERT_NE(exitCode, -1) << "could not run " << BRENNQUIST_SAVE_HELPER;
    EXPECT_EQ(exitCode, static_cast<int>(folder.holds));
    if (folder.holds != Holds::kMaybeNeither) {
        EXPECT_EQ(testing::ReadBytes(path), folder.holds == Holds::kNewInputs ? kDesignFile : old);
    }
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, written in place";
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat"));
}

constexpr fs::perms kReadWrite =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
constexpr fs::perms kReadOnly =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

constexpr std::size_t kLargerThanASettingsFile = std::size_t{64} * 1024 + 1;

// A size limit of 40 lets the old 35 bytes through but stops the new 55
// half-way; one of 20 stops putting the old bytes back too. A larger old file
// is not held to be put back.
INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileReadOnlyFolder,
    ::testing::Values(
        ReadOnlyFolderCase{"WritableFileIsSaved", kReadWrite, "", Holds::kNewInputs},
        ReadOnlyFolderCase{"WriteStoppingHalfWayPutsTheOldBytesBack", kReadWrite, "40",
                           Holds::kOldInputs},
        ReadOnlyFolderCase{"PuttingBackStoppingTooSaysSo", kReadWrite, "20", Holds::kMaybeNeither},
        ReadOnlyFolderCase{"LargeOldFileIsSaved", kReadWrite, "", Holds::kNewInputs,
                           kLargerThanASettingsFile},
        ReadOnlyFolderCase{"LargeOldFileIsNotPutBack", kReadWrite, "40", Holds::kMaybeNeither,
                           kLargerThanASettingsFile},
        ReadOnlyFolderCase{"ReadOnlyFileStaysUntouched", kReadOnly, "", Holds::kOldInputs}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the replace itself refused ----------------------------------------------

// A folder anyone may write to with the sticky bit, such as /tmp, owned by
// root, holding root's akku.dat that anyone may write: another user may make
// the temporary file there but may not put it in place of root's file.
TEST(SettingsFileRenameRefused, StickyFolderOfAnotherUserIsWrittenInPlace) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to save as another user";
    }
    const testing::TemporaryFolder folder;
    const fs::path path = folder.Path() / "akku.dat";
    testing::WriteBytes(path, kOldFile);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read |
                              fs::perms::others_write);
    fs::permissions(folder.Path(), fs::perms::all | fs::perms::sticky_bit);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    EXPECT_EQ(SaveAsOrdinaryUser(path.string()), 0);

    EXPECT_EQ(testing::ReadBytes(path), kDesignFile);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, written in place";
    EXPECT_EQ(after.st_uid, 0U);
    EXPECT_THAT(folder.Entries(), ElementsAre("akku.dat")) << "no temporary file left";
}

// akku.dat bind-mounted over the folder's own file, as a container or a
// sandbox lays out single files: no file may be renamed onto a mount point.
// The mount lives in a mount namespace of the child alone, whose mounts are
// made private first so that it cannot reach the test's own namespace. That
// cannot be done where the root is no mount point (a chroot into a plain
// folder, many containers): the kernel changes propagation on mount points only.
TEST(SettingsFileRenameRefused, BindMountedFileIsWrittenInPlace) {
    constexpr int kCannotMount = 77;
    constexpr int kRootNoMountPoint = 78;
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root for a mount namespace";
    }
    const testing::TemporaryFolder folder;
    const fs::path path = folder.Path() / "akku.dat";
    const fs::path mounted = folder.Path() / "elsewhere.dat";
    testing::WriteBytes(path, kOldFile);
    testing::WriteBytes(mounted, kOldFile);

    const std::string inNamespace =
        "mountpoint -q / || exit 78; mount --make-rprivate / || exit 1;"
        " mount --bind \"$1\" \"$2\" 2>/dev/null || exit 77; exec \"$3\" \"$2\"";
    const int exitCode =
        RunCommand({"unshare", "--mount", "--propagation", "unchanged", "sh", "-c", inNamespace,
                    "sh", mounted.string(), path.string(), BRENNQUIST_SAVE_HELPER});
    if (exitCode == kRootNoMountPoint) {
        GTEST_SKIP() << "the root is no mount point (a chroot into a plain folder or a container),"
                        " so a mount namespace cannot make its mounts private";
    }
    if (exitCode == kCannotMount) {
        GTEST_SKIP() << "this system refuses bind mounts in a mount namespace";
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(testing::ReadBytes(mounted), kDesignFile) << "written through the mount";
    EXPECT_EQ(testing::ReadBytes(path), kOldFile) << "the file under the mount untouched";
    EXPECT_THAT(folder.Entries(), ElementsAre("akku.dat", "elsewhere.dat"))
        << "no temporary file left";
}

}  // namespace
}  // namespace brennquist
