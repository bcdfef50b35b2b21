// akku.dat where Wine does not answer as Windows does: the Win32 calls put in
// here answer as Microsoft documents them, on real files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "storage/missing_folders.h"
#include "storage/settings_file.h"
#include "storage/windows/win32_calls.h"
#include "tests/storage/temporary_folder.h"
#include "tests/windows/win32_stand_ins.h"

namespace brennquist {
namespace {

using ::testing::ElementsAre;
constexpr std::string_view kOldFile = "NiCd\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";

std::error_code Win32Error(DWORD code) {
    return {static_cast<int>(code), std::system_category()};
}

// A folder with an old akku.dat; Windows' own calls come back afterwards.
class SettingsFileSeam : public ::testing::Test {  // NOLINT(*-special-member-functions)
  public:
    SettingsFileSeam() { testing::WriteBytes(folder_.Path() / "akku.dat", kOldFile); }
    ~SettingsFileSeam() override { Win32() = saved_; }

  protected:
    std::error_code Save() { return SaveSettingsFile(SettingsFilePath(folder_.Path()), {}); }
    std::string Read(const char* name) { return testing::ReadBytes(folder_.Path() / name); }

    Win32Calls saved_ = Win32();
    testing::TemporaryFolder folder_;
};

// ReplaceFileW refused or failing half-way, MoveFileExW refused: what each
// name holds afterwards (empty: nothing there), and what the save says.
struct ReplaceCase {
    const char* name;
    testing::Answers answers;
    std::error_code outcome;
    std::string_view file;
    std::string_view backup;  // akku.dat.alt
};

class SettingsFileReplaceFails : public SettingsFileSeam,
                                 public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(SettingsFileReplaceFails, EachVersionKeepsANameAndTheOutcomeSaysWhich) {
    const testing::StandIns standIns(GetParam().answers);
    EXPECT_EQ(Save(), GetParam().outcome);
    EXPECT_EQ(Read("akku.dat"), GetParam().file);
    EXPECT_EQ(Read("akku.dat.alt"), GetParam().backup);
    const int names = int{!GetParam().file.empty()} + int{!GetParam().backup.empty()};
    EXPECT_EQ(folder_.Entries().size(), static_cast<std::size_t>(names)) << "no temporary file";
}

const std::string kNewFile = SettingsFileContent({});
constexpr DWORD kNotRemoved = ERROR_UNABLE_TO_REMOVE_REPLACED;
constexpr DWORD kNotRenamed = ERROR_UNABLE_TO_MOVE_REPLACEMENT;
constexpr DWORD kHalfWay = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
constexpr DWORD kDenied = ERROR_ACCESS_DENIED;
constexpr DWORD kHeld = ERROR_SHARING_VIOLATION;
using enum SaveFailure;

// On a share granting "Change", ReplaceFileW is denied WRITE_DAC on the new file.
INSTANTIATE_TEST_SUITE_P(
    Errors, SettingsFileReplaceFails,
    ::testing::Values(
        ReplaceCase{"OldNotRemoved", {kNotRemoved}, Win32Error(kNotRemoved), kOldFile, ""},
        ReplaceCase{"NewNotRenamed", {kNotRenamed}, Win32Error(kNotRenamed), kOldFile, ""},
        ReplaceCase{"HalfWayThenMovedIn", {kHalfWay}, kNewContentInPlace, kNewFile, ""},
        ReplaceCase{"HalfWayNeitherMoves", {kHalfWay, kDenied}, kOldContentInBackup, "", kOldFile},
        ReplaceCase{"HalfWayNameRetaken",
                    {kHalfWay, kDenied, 0, false, "x"},
                    kOldContentInBackup,
                    "x",
                    kOldFile},
        ReplaceCase{"ShareGrantingChange", {kDenied}, {}, kNewFile, ""},
        ReplaceCase{"HeldBySyncClient", {kHeld, kHeld}, {}, kNewFile, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// CreateDirectoryW refused, as Windows refuses a drive's root folder.
std::vector<std::wstring> created;
BOOL WINAPI RefusedCreateDirectory(LPCWSTR folder, LPSECURITY_ATTRIBUTES /*security*/) {
    created.emplace_back(folder);
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_F(SettingsFileSeam, AtARootOneSeparatorAndNoFolderToCreate) {
    Win32().createDirectory = RefusedCreateDirectory;
    const std::vector<std::pair<std::wstring, std::wstring>> folderAndFile{
        {L"E:/", L"E:\\akku.dat"},
        {L"E:\\", L"E:\\akku.dat"},
        {L"//server/share/", L"\\\\server\\share\\akku.dat"},
        {L"\\\\server\\share", L"\\\\server\\share\\akku.dat"},
    };
    for (const auto& [folder, file] : folderAndFile) {
        const std::filesystem::path path = SettingsFilePath(folder);
        EXPECT_EQ(path.native(), file);
        EXPECT_FALSE(CreateMissingFoldersFor(path)) << path;
    }
    EXPECT_THAT(created, ::testing::IsEmpty());
}

// The same answer for a folder that is there (a volume mounted into it, a DFS
// link): it is used as it is; a folder that is not there stays refused.
TEST_F(SettingsFileSeam, AFolderAnsweringAccessDeniedIsUsedWhereItIsThere) {
    Win32().createDirectory = RefusedCreateDirectory;
    std::filesystem::create_directory(folder_.Path() / "mounted");
    EXPECT_FALSE(SaveSettingsFile(SettingsFilePath(folder_.Path() / "mounted"), {}));
    EXPECT_EQ(SaveSettingsFile(SettingsFilePath(folder_.Path() / "missing"), {}),
              Win32Error(ERROR_ACCESS_DENIED));
}

// A folder refusing new files, so akku.dat is written in place, on a disk
// that may fill up; the old file padded to `oldSize` after its nine lines.
struct InPlaceCase {
    const char* name;
    std::size_t oldSize;
    int failingWrites;
    std::error_code outcome;
    bool holdsTheOld;
};

class SettingsFileInPlace : public SettingsFileSeam,
                            public ::testing::WithParamInterface<InPlaceCase> {};

TEST_P(SettingsFileInPlace, TheOldFileComesBackOrTheOutcomeSaysItMayNot) {
    std::string old(kOldFile);
    old.resize(std::max(old.size(), GetParam().oldSize), ' ');
    testing::WriteBytes(folder_.Path() / "akku.dat", old);
    const testing::StandIns standIns(
        {.failingWrites = GetParam().failingWrites, .refuseNewFiles = true});

    EXPECT_EQ(Save(), GetParam().outcome);
    if (GetParam().outcome != kFileMayHoldNeither) {
        EXPECT_EQ(Read("akku.dat"), GetParam().holdsTheOld ? old : kNewFile);
    }
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat"));
}

constexpr std::size_t kLarge = std::size_t{64} * 1024 + 1;  // more than a settings file

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SettingsFileInPlace,
    ::testing::Values(InPlaceCase{"Written", 0, 0, {}, false},
                      InPlaceCase{"FailsAndIsUndone", 0, 1, Win32Error(ERROR_DISK_FULL), true},
                      InPlaceCase{"UndoFails", 0, 2, kFileMayHoldNeither, false},
                      InPlaceCase{"LargeWritten", kLarge, 0, {}, false},
                      InPlaceCase{"LargeNotUndone", kLarge, 1, kFileMayHoldNeither, false}),
    [](const auto& info) { return std::string(info.param.name); });

// GetFinalPathNameByHandleW naming a symbolic link's end, as Windows does
// (Wine cannot open it): akku.dat is the link, synced\akku.dat its end.
std::wstring linkEnd;
DWORD WINAPI LinkEnd(HANDLE /*file*/, LPWSTR buffer, DWORD size, DWORD /*flags*/) {
    const auto length = static_cast<DWORD>(linkEnd.size());
    if (size <= length) {
        return length + 1;
    }
    buffer[linkEnd.copy(buffer, length)] = L'\0';
    return length;
}

TEST_F(SettingsFileSeam, ALinkStaysALinkAndTheFileAtItsEndGetsTheInputs) {
    Win32().finalPathOf = LinkEnd;
    std::filesystem::create_directory(folder_.Path() / "synced");
    testing::WriteBytes(folder_.Path() / "synced" / "akku.dat", kOldFile);
    linkEnd = L"\\\\?\\" + (folder_.Path() / "synced" / "akku.dat").native();

    EXPECT_FALSE(Save());

    EXPECT_EQ(Read("akku.dat"), kOldFile);
    EXPECT_EQ(Read("synced/akku.dat"), SettingsFileContent({}));
    EXPECT_THAT(testing::EntriesOf(folder_.Path() / "synced"), ElementsAre("akku.dat"));
}

}  // namespace
}  // namespace brennquist
