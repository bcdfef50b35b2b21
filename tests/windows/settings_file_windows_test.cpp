// akku.dat on Windows: real files in a temporary folder, through the Win32
// calls the program uses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "storage/settings_file.h"
#include "tests/storage/temporary_folder.h"

namespace brennquist {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

constexpr std::string_view kOldFile = "NiCd\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";

std::vector<std::string> LinesOf(const fs::path& path) {
    SettingsLineReader reader = OpenSettingsFile(path);
    std::vector<std::string> lines;
    while (std::optional<std::string> line = reader.NextLine()) {
        lines.push_back(*line);
    }
    return lines;
}

InputSet Umlauts() {
    InputSet inputs;
    inputs.cmbCellSelect = "Läufer aus Łuków";
    inputs.txtReihe = "4";
    inputs.txtg = "9,8 – ca.";
    return inputs;
}

// The first line in the ANSI code page Windows names (German, then Polish or
// Czech Windows), and as it reads back: what the page lacks is '?'.
const std::map<UINT, std::pair<std::string, std::string>> kFirstLines{
    {1252, {"L\xE4ufer aus ?uk\xF3w\r\n", "Läufer aus ?uków"}},
    {1250, {"L\xE4ufer aus \xA3uk\xF3w\r\n", "Läufer aus Łuków"}},
};

TEST(SettingsFileWindows, SavesNineLinesWithCrLfInTheAnsiCodePageAndReadsThemBack) {
    ASSERT_TRUE(kFirstLines.contains(::GetACP())) << "no case for code page " << ::GetACP();
    const auto& [firstLine, readBack] = kFirstLines.at(::GetACP());
    const testing::TemporaryFolder folder;
    const fs::path path = SettingsFilePath(folder.Path());

    ASSERT_FALSE(SaveSettingsFile(path, Umlauts()));

    const std::string bytes = testing::ReadBytes(folder.Path() / "akku.dat");
    EXPECT_EQ(bytes.substr(0, firstLine.size()), firstLine);
    EXPECT_NE(bytes.find("9,8 \x96 ca.\r\n"), std::string::npos) << "the dash";
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 9);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos) << "every line ends with CR LF";
    EXPECT_TRUE(bytes.ends_with("\r\n1000\r\n"));
    EXPECT_THAT(LinesOf(path),
                ElementsAre(readBack, "350", "5", "9,8 – ca.", "4", "1", "5", "80", "1000"));
    EXPECT_THAT(folder.Entries(), ElementsAre("akku.dat"));
}

TEST(SettingsFileWindows, ReplacesTheOldFileAndLeavesNoTemporaryFile) {
    const testing::TemporaryFolder folder;
    testing::WriteBytes(folder.Path() / "akku.dat", kOldFile);

    ASSERT_FALSE(SaveSettingsFile(SettingsFilePath(folder.Path()), InputSet{}));

    EXPECT_EQ(testing::ReadBytes(folder.Path() / "akku.dat"), SettingsFileContent(InputSet{}));
    EXPECT_THAT(folder.Entries(), ElementsAre("akku.dat"));
}

TEST(SettingsFileWindows, CreatesMissingFoldersWhicheverSlashSeparatesThem) {
    const testing::TemporaryFolder folder;
    for (const wchar_t* below : {L"\\Roaming\\Brennquist", L"/Lokal/Brennquist"}) {
        const fs::path path = SettingsFilePath(folder.Path().native() + below);
        ASSERT_FALSE(SaveSettingsFile(path, InputSet{})) << below;
        EXPECT_EQ(LinesOf(path).size(), 9U) << below;
    }
    EXPECT_THAT(folder.Entries(), ElementsAre("Lokal", "Roaming"));
}

// Names the ANSI code page cannot hold ("Ł" would become "L", another folder).
TEST(SettingsFileWindows, FolderNamesBeyondTheCodePageReachTheRightFolder) {
    const testing::TemporaryFolder folder;
    const fs::path user = folder.Path() / L"Ольга Łukasz" / L"Brennquist";
    const fs::path path = SettingsFilePath(user);

    ASSERT_FALSE(SaveSettingsFile(path, InputSet{}));

    EXPECT_TRUE(fs::is_regular_file(user / "akku.dat"));
    EXPECT_EQ(LinesOf(path).front(), "Lithium Polymer/Ionen");
}

// A save that cannot complete leaves the old file as it was and no new file
// beside it. Each case blocks the file and gives back what lifts the block.
using Unblock = std::function<void()>;

struct RefusedCase {
    const char* name;
    std::function<Unblock(const fs::path& file)> block;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) {
    *out << refused.name;
}

class SettingsFileWindowsRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(SettingsFileWindowsRefused, KeepsTheOldFile) {
    const testing::TemporaryFolder folder;
    const fs::path file = folder.Path() / "akku.dat";
    testing::WriteBytes(file, kOldFile);
    const Unblock unblock = GetParam().block(file);

    const std::error_code error = SaveSettingsFile(SettingsFilePath(folder.Path()), InputSet{});
    unblock();

    EXPECT_TRUE(error);
    EXPECT_EQ(testing::ReadBytes(file), kOldFile);
    EXPECT_THAT(folder.Entries(), ElementsAre("akku.dat"));
}

Unblock MakeReadOnly(const fs::path& file) {
    EXPECT_NE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY), 0);
    return [file] { ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL); };
}

// Open in another program that shares neither writing nor deleting, as an
// editor or a virus scanner may hold it.
Unblock HoldOpen(const fs::path& file) {
    HANDLE const held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE);
    return [held] { ::CloseHandle(held); };
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsFileWindowsRefused,
                         ::testing::Values(RefusedCase{"ReadOnlyFile", MakeReadOnly},
                                           RefusedCase{"HeldOpenByAnotherProgram", HoldOpen}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileWindows, AFolderInTheFilesPlaceStaysAndGivesNoLines) {
    const testing::TemporaryFolder folder;
    fs::create_directory(folder.Path() / "akku.dat");
    const fs::path path = SettingsFilePath(folder.Path());

    EXPECT_TRUE(SaveSettingsFile(path, InputSet{}));

    EXPECT_TRUE(fs::is_directory(folder.Path() / "akku.dat"));
    EXPECT_TRUE(LinesOf(path).empty());
    EXPECT_THAT(folder.Entries(), ElementsAre("akku.dat"));
}

TEST(SettingsFileWindows, AMissingFileGivesNoLines) {
    const testing::TemporaryFolder folder;
    EXPECT_TRUE(LinesOf(SettingsFilePath(folder.Path())).empty());
}

}  // namespace
}  // namespace brennquist
