#include "storage/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/storage/temporary_folder.h"

namespace brennquist {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::string_view kDesignFile =
    "Lithium Polymer/Ionen\r\n350\r\n5\r\n9,8\r\n1\r\n1\r\n5\r\n80\r\n1000\r\n";

// What the window does: up to nine lines, stopping at the first failure.
struct Loaded {
    std::vector<std::string> lines;
    bool complete = false;
};

Loaded LoadNine(const std::string& path) {
    SettingsLineReader reader = OpenSettingsFile(path);
    Loaded loaded;
    while (loaded.lines.size() < 9) {
        std::optional<std::string> line = reader.NextLine();
        if (!line) {
            return loaded;
        }
        loaded.lines.push_back(*line);
    }
    loaded.complete = true;
    return loaded;
}

std::vector<std::string> LinesOf(const InputSet& inputs) {
    return {inputs.cmbCellSelect, inputs.txtK,  inputs.txtI,   inputs.txtg, inputs.txtReihe,
            inputs.txtPar,        inputs.txtIL, inputs.txtEta, inputs.txtnV};
}

class SettingsFileTest : public ::testing::Test {
  protected:
    [[nodiscard]] std::string Path() const { return SettingsFilePath(folder_.Path().string()); }

    testing::TemporaryFolder folder_;
};

TEST(SettingsFilePath, JoinsTheNameWithOneSlash) {
    EXPECT_EQ(SettingsFilePath("/opt/brennquist"), "/opt/brennquist/akku.dat");
    EXPECT_EQ(SettingsFilePath("/"), "/akku.dat");
    EXPECT_EQ(SettingsFilePath("/opt/a b/"), "/opt/a b/akku.dat");
}

TEST_F(SettingsFileTest, DesignInputsGiveThe55ByteFile) {
    ASSERT_FALSE(SaveSettingsFile(Path(), InputSet{}));
    const std::string bytes = testing::ReadBytes(Path());
    EXPECT_EQ(bytes.size(), 55U);
    EXPECT_EQ(bytes, kDesignFile);
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat")) << "no temporary file left";
}

TEST_F(SettingsFileTest, DesignFileLoadsTheDesignTexts) {
    testing::WriteBytes(Path(), kDesignFile);
    const Loaded loaded = LoadNine(Path());
    EXPECT_TRUE(loaded.complete);
    EXPECT_THAT(loaded.lines, ElementsAreArray(LinesOf(InputSet{})));
}

TEST_F(SettingsFileTest, UnusualTextsTravelUnchanged) {
    const InputSet inputs{
        .cmbCellSelect = "Blei-Gel & Co",
        .txtK = "",
        .txtI = "   ",
        .txtg = "Größe",
        .txtReihe = "-3",
        .txtPar = "1e999",
        .txtIL = "&&",
        .txtEta = "ÄÖÜäöüß €",
        .txtnV = " 1.000,5 ",
    };
    ASSERT_FALSE(SaveSettingsFile(Path(), inputs));
    EXPECT_EQ(testing::ReadBytes(Path()),
              "Blei-Gel & Co\r\n\r\n   \r\nGr\xF6\xDF"
              "e\r\n-3\r\n1e999\r\n&&\r\n"
              "\xC4\xD6\xDC\xE4\xF6\xFC\xDF \x80\r\n 1.000,5 \r\n");
    const Loaded loaded = LoadNine(Path());
    EXPECT_TRUE(loaded.complete);
    EXPECT_THAT(loaded.lines, ElementsAreArray(LinesOf(inputs)));
}

TEST_F(SettingsFileTest, CharacterOutsideTheCodePageIsSavedAsQuestionMark) {
    InputSet inputs;
    inputs.cmbCellSelect = "Zelle 漢 😀";
    ASSERT_FALSE(SaveSettingsFile(Path(), inputs));
    EXPECT_EQ(testing::ReadBytes(Path()).substr(0, 11), "Zelle ? ?\r\n");
    EXPECT_EQ(LoadNine(Path()).lines.front(), "Zelle ? ?");
}

TEST_F(SettingsFileTest, SavingReplacesTheWholeFileAndKeepsItsPermissions) {
    testing::WriteBytes(Path(), std::string(500, 'x'));
    ASSERT_EQ(::chmod(Path().c_str(), 0640), 0);
    ASSERT_FALSE(SaveSettingsFile(Path(), InputSet{}));
    EXPECT_EQ(testing::ReadBytes(Path()), kDesignFile);
    EXPECT_EQ(std::filesystem::status(Path()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat"));
}

struct LoadCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
    bool complete;
};

void PrintTo(const LoadCase& load, std::ostream* out) {
    *out << load.name;
}

class SettingsFileLoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SettingsFileLoadTest, LoadsTheLinesThatAreThere) {
    const testing::TemporaryFolder folder;
    const std::string path = SettingsFilePath(folder.Path().string());
    testing::WriteBytes(path, GetParam().bytes);
    const Loaded loaded = LoadNine(path);
    EXPECT_THAT(loaded.lines, ElementsAreArray(GetParam().lines));
    EXPECT_EQ(loaded.complete, GetParam().complete);
    EXPECT_EQ(testing::ReadBytes(path), GetParam().bytes) << "reading leaves the file alone";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileLoadTest,
    ::testing::Values(
        LoadCase{"FourLines", "NiMH\r\n3000\r\n10\r\n60\r\n", {"NiMH", "3000", "10", "60"}, false},
        LoadCase{"EightLines",
                 "NiCd\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n",
                 {"NiCd", "1", "2", "3", "4", "5", "6", "7"},
                 false},
        LoadCase{"NineLinesLastWithoutLineEnd",
                 "NiCd\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8",
                 {"NiCd", "1", "2", "3", "4", "5", "6", "7", "8"},
                 true},
        LoadCase{"MoreThanNineLines",
                 "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\n",
                 {"a", "b", "c", "d", "e", "f", "g", "h", "i"},
                 true},
        LoadCase{"LineFeedsOnlyAreOneLine",
                 "NiMH\n3000\n10\n60\n10\n1\n15\n70\n900\n",
                 {"NiMH\n3000\n10\n60\n10\n1\n15\n70\n900\n"},
                 false},
        LoadCase{"Windows1252UmlautAndEuro",
                 "Zell\xE4\r\n5\x80\r\n\r\n\r\n\r\n\r\n\r\n\r\n\xFC\r\n",
                 {"Zellä", "5€", "", "", "", "", "", "", "ü"},
                 true},
        LoadCase{"Empty", "", {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A file that is no settings file: read only as far as 64 KiB, so a huge one
// (a sparse file, another file copied in its place) neither stalls the start
// nor fills the memory; its content counts as unreadable.
struct OversizedCase {
    const char* name;
    std::string head;
    std::uintmax_t sparseTail;  // zero bytes after the head, as holes
    std::vector<std::string> lines;
};

void PrintTo(const OversizedCase& load, std::ostream* out) {
    *out << load.name;
}

class SettingsFileOversizedTest : public ::testing::TestWithParam<OversizedCase> {};

TEST_P(SettingsFileOversizedTest, GivesOnlyTheLinesWithinTheBound) {
    const testing::TemporaryFolder folder;
    const std::string path = SettingsFilePath(folder.Path().string());
    testing::WriteBytes(path, GetParam().head);
    std::filesystem::resize_file(path, GetParam().head.size() + GetParam().sparseTail);
    const Loaded loaded = LoadNine(path);
    EXPECT_EQ(loaded.lines, GetParam().lines);
}

constexpr std::uintmax_t kTwoGiB = std::uintmax_t{2} << 30U;
const std::string kEightLines = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFileOversizedTest,
    ::testing::Values(
        OversizedCase{"SparseWithoutLineEnd", "", kTwoGiB, {}},
        OversizedCase{"LineWithoutEndPastTheBound", std::string(1U << 20U, 'x'), 0, {}},
        OversizedCase{"NineLinesThenSparse",
                      "NiCd\r\n" + kEightLines,
                      kTwoGiB,
                      {"NiCd", "1", "2", "3", "4", "5", "6", "7", "8"}},
        OversizedCase{"LongLineWithinTheBound",
                      std::string(60000, 'x') + "\r\n" + kEightLines,
                      0,
                      {std::string(60000, 'x'), "1", "2", "3", "4", "5", "6", "7", "8"}},
        OversizedCase{"NinthLineEndsPastTheBound",
                      "NiCd\r\n" + kEightLines.substr(0, 21) + std::string(70000, '9') + "\r\n",
                      0,
                      {"NiCd", "1", "2", "3", "4", "5", "6", "7"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileLoad, MissingFileLoadsNothing) {
    const testing::TemporaryFolder folder;
    const Loaded loaded = LoadNine(SettingsFilePath(folder.Path().string()));
    EXPECT_TRUE(loaded.lines.empty());
    EXPECT_FALSE(loaded.complete);
}

// Failures that root cannot override either; each must leave the old state.
TEST_F(SettingsFileTest, FolderThatIsARegularFileFails) {
    const auto notAFolder = folder_.Path() / "program";
    testing::WriteBytes(notAFolder, "x");
    const std::string path = SettingsFilePath(notAFolder.string());
    EXPECT_EQ(SaveSettingsFile(path, InputSet{}), std::errc::not_a_directory);
    EXPECT_EQ(testing::ReadBytes(notAFolder), "x");
    EXPECT_THAT(folder_.Entries(), ElementsAre("program"));
}

TEST_F(SettingsFileTest, FolderInPlaceOfTheFileFailsAndIsLeftAlone) {
    std::filesystem::create_directory(Path());
    testing::WriteBytes(std::filesystem::path(Path()) / "inside", "keep");
    EXPECT_EQ(SaveSettingsFile(Path(), InputSet{}), std::errc::is_a_directory);
    EXPECT_EQ(testing::ReadBytes(std::filesystem::path(Path()) / "inside"), "keep");
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat")) << "temporary file removed";
}

// A file size limit makes the write stop half-way, as a full disk does; root is
// bound by it too.
TEST_F(SettingsFileTest, WriteStoppingHalfWayKeepsTheOldFile) {
    const std::string old = "Old\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";
    testing::WriteBytes(Path(), old);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::error_code error = SaveSettingsFile(Path(), InputSet{});
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    static_cast<void>(std::signal(SIGXFSZ, previousHandler));

    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(testing::ReadBytes(Path()), old);
    EXPECT_THAT(folder_.Entries(), ElementsAre("akku.dat")) << "temporary file removed";
}

}  // namespace
}  // namespace brennquist
