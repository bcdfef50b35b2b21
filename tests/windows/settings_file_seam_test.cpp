// akku.dat on Windows where Wine does not answer as Windows does: the Win32
// calls put in here answer as Microsoft documents them, on real files.
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

constexpr std::string_view kOldFile = "NiCd\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";

// Windows' own calls come back when the test ends.
class FakeWin32 {
  public:
    FakeWin32() = default;
    FakeWin32(const FakeWin32&) = delete;
    FakeWin32& operator=(const FakeWin32&) = delete;
    FakeWin32(FakeWin32&&) = delete;
    FakeWin32& operator=(FakeWin32&&) = delete;
    ~FakeWin32() { Win32() = saved_; }

  private:
    Win32Calls saved_ = Win32();
};

// ReplaceFileW failing as documented for each error: 1175 leaves both files
// under their names; 1176 too with a backup name, without one the old file is
// gone; 1177 leaves the old file under the backup name (or another).
BOOL WINAPI UnableToRemoveReplaced(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
    ::SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
    return FALSE;
}
BOOL WINAPI UnableToMoveReplacement(LPCWSTR replaced, LPCWSTR, LPCWSTR backup, DWORD, LPVOID,
                                    LPVOID) {
    if (backup == nullptr) {
        ::DeleteFileW(replaced);
    }
    ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    return FALSE;
}
BOOL WINAPI UnableToMoveReplacement2(LPCWSTR replaced, LPCWSTR, LPCWSTR backup, DWORD, LPVOID,
                                     LPVOID) {
    ::MoveFileW(replaced, backup != nullptr ? backup : (std::wstring(replaced) + L"~").c_str());
    ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

struct ReplaceCase {
    const char* name;
    decltype(&::ReplaceFileW) replace;
    bool holdsNewInputs;
};

class SettingsFileReplaceFails : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(SettingsFileReplaceFails, OneVersionStaysInTheFileAndTheErrorSaysWhich) {
    const FakeWin32 fake;
    Win32().replaceFile = GetParam().replace;
    const testing::TemporaryFolder folder;
    testing::WriteBytes(folder.Path() / "akku.dat", kOldFile);

    const std::error_code error = SaveSettingsFile(SettingsFilePath(folder.Path()), InputSet{});

    EXPECT_TRUE(error);
    EXPECT_EQ(error == SaveFailure::kNewContentInPlace, GetParam().holdsNewInputs);
    EXPECT_EQ(testing::ReadBytes(folder.Path() / "akku.dat"),
              GetParam().holdsNewInputs ? SettingsFileContent(InputSet{}) : kOldFile);
    EXPECT_THAT(folder.Entries(), ::testing::ElementsAre("akku.dat"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileReplaceFails,
    ::testing::Values(ReplaceCase{"UnableToRemoveReplaced", UnableToRemoveReplaced, false},
                      ReplaceCase{"UnableToMoveReplacement", UnableToMoveReplacement, false},
                      ReplaceCase{"UnableToMoveReplacement2", UnableToMoveReplacement2, true}),
    [](const auto& info) { return std::string(info.param.name); });

// CreateDirectoryW as Windows answers a drive's or a share's root: refused.
std::vector<std::wstring> created;
BOOL WINAPI RecordCreateDirectory(LPCWSTR folder, LPSECURITY_ATTRIBUTES) {
    created.emplace_back(folder);
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

struct RootCase {
    const wchar_t* folder;
    const wchar_t* file;
};

class SettingsFileAtARoot : public ::testing::TestWithParam<RootCase> {};

TEST_P(SettingsFileAtARoot, OneSeparatorAndNoRootToCreate) {
    const FakeWin32 fake;
    Win32().createDirectory = RecordCreateDirectory;
    created.clear();

    const std::filesystem::path path = SettingsFilePath(GetParam().folder);

    EXPECT_EQ(path.native(), GetParam().file);
    EXPECT_FALSE(CreateMissingFoldersFor(path));
    EXPECT_THAT(created, ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsFileAtARoot,
                         ::testing::Values(RootCase{L"E:/", L"E:\\akku.dat"},
                                           RootCase{L"E:\\", L"E:\\akku.dat"},
                                           RootCase{L"//server/share/", L"\\\\server\\share\\akku.dat"},
                                           RootCase{L"\\\\server\\share", L"\\\\server\\share\\akku.dat"}));

}  // namespace
}  // namespace brennquist
