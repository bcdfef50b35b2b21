// akku.dat where Wine does not answer as Windows does: the Win32 calls put in
// here answer as Microsoft documents them, on real files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "storage/missing_folders.h"
#include "storage/settings_file.h"
#include "storage/windows/win32_calls.h"
#include "tests/storage/temporary_folder.h"

namespace brennquist {
namespace {

using ::testing::ElementsAre;
constexpr std::string_view kOldFile = "NiCd\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";

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

// ReplaceFileW failing as documented: 1175 leaves both files under their
// names, so does 1176 with a backup name (without one, the old file is gone);
// 1177 leaves the old file under the backup name (or another).
DWORD replaceError = 0;
BOOL WINAPI FailingReplace(LPCWSTR replaced, LPCWSTR /*replacement*/, LPCWSTR backup,
                           DWORD /*flags*/, LPVOID /*exclude*/, LPVOID /*reserved*/) {
    if (replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        ::MoveFileW(replaced, backup != nullptr ? backup : (std::wstring(replaced) + L"~").c_str());
    } else if (replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT && backup == nullptr) {
        ::DeleteFileW(replaced);
    }
    ::SetLastError(replaceError);
    return FALSE;
}

class SettingsFileReplaceFails : public SettingsFileSeam,
                                 public ::testing::WithParamInterface<DWORD> {};

TEST_P(SettingsFileReplaceFails, OneVersionStaysInTheFileAndTheErrorSaysWhich) {
    Win32().replaceFile = FailingReplace;
    replaceError = GetParam();
    const bool movedIntoPlace = GetParam() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;

    const std::error_code error = Save();

    EXPECT_TRUE(error);
    EXPECT_EQ(error == SaveFailure::kNewContentInPlace, movedIntoPlace);
    EXPECT_EQ(Read("akku.dat"), movedIntoPlace ? SettingsFileContent({}) : kOldFile);
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat"));
}

INSTANTIATE_TEST_SUITE_P(Errors, SettingsFileReplaceFails,
                         ::testing::Values(ERROR_UNABLE_TO_REMOVE_REPLACED,
                                           ERROR_UNABLE_TO_MOVE_REPLACEMENT,
                                           ERROR_UNABLE_TO_MOVE_REPLACEMENT_2));

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

// A folder whose permissions refuse new files, even to an administrator:
// CreateFileW answers ERROR_ACCESS_DENIED. akku.dat itself may be written.
HANDLE WINAPI RefuseNewFiles(LPCWSTR /*name*/, DWORD /*access*/, DWORD /*share*/,
                             LPSECURITY_ATTRIBUTES /*security*/, DWORD /*disposition*/,
                             DWORD /*flags*/, HANDLE /*model*/) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

TEST_F(SettingsFileSeam, AFolderRefusingNewFilesGetsTheFileWrittenInPlace) {
    Win32().createNewFile = RefuseNewFiles;
    EXPECT_FALSE(Save());
    EXPECT_EQ(Read("akku.dat"), SettingsFileContent({}));
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat"));
}

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
