#include "storage/settings_line_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "tests/storage/temporary_folder.h"

namespace brennquist {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Every line the reader delivers before its first failure.
std::vector<std::string> AllLines(SettingsLineReader& reader) {
    std::vector<std::string> lines;
    while (std::optional<std::string> line = reader.NextLine()) {
        lines.push_back(*line);
    }
    return lines;
}

struct SplitCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& split, std::ostream* out) {
    *out << split.name;
}

class SettingsLineSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SettingsLineSplitTest, SplitsAtCrLfAndLoneCr) {
    SettingsLineReader reader = SettingsLineReader::FromBytes(GetParam().bytes);
    EXPECT_THAT(AllLines(reader), ElementsAreArray(GetParam().lines));
    EXPECT_EQ(reader.NextLine(), std::nullopt) << "a failure stays a failure";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsLineSplitTest,
    ::testing::Values(SplitCase{"EmptyFileHasNoLine", "", {}},
                      SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                      SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
                      SplitCase{"CrBeforeCrLf", "a\r\r\nb", {"a", "", "b"}},
                      SplitCase{"OnlyLineEnds", "\r\n\r\n", {"", ""}},
                      SplitCase{"LastLineWithoutEnd", "a\r\nlast", {"a", "last"}},
                      SplitCase{"LoneLfIsPartOfTheValue", "a\nb\nc\n", {"a\nb\nc\n"}},
                      SplitCase{"LfBeforeCr", "\n\r\n", {"\n"}},
                      SplitCase{"LfCrIsLfThenLineEnd", "x\n\ry", {"x\n", "y"}},
                      SplitCase{"BlanksKept", "  \r\n 1 \r\n", {"  ", " 1 "}},
                      SplitCase{"Windows1252Decoded", "Zell\xE4\r\n5\x80\r\n", {"Zellä", "5€"}},
                      SplitCase{
                          "ZeroByteKept", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr std::size_t kWhole = std::numeric_limits<std::size_t>::max();

// The file is read in pieces; a CR at the very end of a piece must still pair
// with the LF at the start of the next one.
TEST(SettingsLineReaderFile, LineEndAcrossPieceBoundaries) {
    const testing::TemporaryFolder folder;
    const auto path = folder.Path() / "akku.dat";
    struct Tail {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Tail> tails{
        {"\r\nend", {"end"}}, {"\r\n\nend", {"\nend"}}, {"\rend", {"end"}}, {"\r", {}}};
    for (const std::size_t length : {4094U, 4095U, 4096U, 8191U, 20000U}) {
        const std::string longLine(length, 'x');
        for (const Tail& tail : tails) {
            testing::WriteBytes(path, longLine + tail.bytes);
            SettingsLineReader reader = SettingsLineReader::Open(path.string(), kWhole);
            std::vector<std::string> expected{longLine};
            expected.insert(expected.end(), tail.lines.begin(), tail.lines.end());
            EXPECT_EQ(AllLines(reader), expected)
                << length << " then " << ::testing::PrintToString(tail.bytes);
        }
    }
}

TEST(SettingsLineReaderFile, MissingFileHasNoLine) {
    const testing::TemporaryFolder folder;
    SettingsLineReader reader =
        SettingsLineReader::Open((folder.Path() / "akku.dat").string(), kWhole);
    EXPECT_EQ(reader.NextLine(), std::nullopt);
    EXPECT_EQ(reader.NextLine(), std::nullopt);
}

TEST(SettingsLineReaderFile, FolderInPlaceOfTheFileHasNoLine) {
    const testing::TemporaryFolder folder;
    std::filesystem::create_directory(folder.Path() / "akku.dat");
    SettingsLineReader reader =
        SettingsLineReader::Open((folder.Path() / "akku.dat").string(), kWhole);
    EXPECT_THAT(AllLines(reader), IsEmpty());
}

// A FIFO would block a plain open until some writer appears.
TEST(SettingsLineReaderFile, FifoInPlaceOfTheFileHasNoLineAndDoesNotBlock) {
    const testing::TemporaryFolder folder;
    const auto path = folder.Path() / "akku.dat";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    SettingsLineReader reader = SettingsLineReader::Open(path.string(), kWhole);
    EXPECT_THAT(AllLines(reader), IsEmpty());
}

}  // namespace
}  // namespace brennquist
