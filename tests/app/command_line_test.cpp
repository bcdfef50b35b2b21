// The two options the program answers without a window, and everything else
// it leaves to the window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace brennquist {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct Answer {
    std::optional<int> status;
    std::string output;
};

Answer AnswerFor(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "brennquist");
    std::ostringstream out;
    const std::optional<int> status =
        AnswerCommandLine(static_cast<int>(arguments.size()), arguments.data(), out);
    return {status, out.str()};
}

TEST(CommandLine, VersionPrintsNameAndVersionOnly) {
    const Answer answer = AnswerFor({"--version"});
    EXPECT_EQ(answer.status, 0);
    EXPECT_EQ(answer.output, "Brennquist " BRENNQUIST_TEST_VERSION "\n");
}

TEST(CommandLine, HelpNamesBothOptionsAndWhereTheInputsLive) {
    const Answer answer = AnswerFor({"--help"});
    EXPECT_EQ(answer.status, 0);
    EXPECT_THAT(answer.output, StartsWith("Aufruf: brennquist [--help | --version]\n"));
    EXPECT_THAT(answer.output, HasSubstr("~/.config/brennquist/akku.dat"));
}

TEST(CommandLine, FirstOfTheTwoOptionsWinsWhereverItStands) {
    EXPECT_EQ(AnswerFor({"datei.dat", "--version", "--help"}).output,
              "Brennquist " BRENNQUIST_TEST_VERSION "\n");
    EXPECT_THAT(AnswerFor({"-x", "--help", "--version"}).output, StartsWith("Aufruf:"));
}

TEST(CommandLine, AnythingElseStartsTheWindowAndPrintsNothing) {
    for (const std::vector<const char*>& arguments : std::vector<std::vector<const char*>>{
             {}, {"-v"}, {"-h"}, {"--Version"}, {"--help=1"}, {"akku.dat"}, {""}}) {
        const Answer answer = AnswerFor(arguments);
        EXPECT_EQ(answer.status, std::nullopt) << arguments.size();
        EXPECT_EQ(answer.output, "");
    }
}

TEST(CommandLine, OutputThatCannotBeWrittenFails) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    const std::vector<const char*> arguments{"brennquist", "--help"};
    EXPECT_EQ(AnswerCommandLine(2, arguments.data(), out), 1);
}

TEST(CommandLine, NoArgumentsAtAllStartsTheWindow) {
    std::ostringstream out;
    EXPECT_EQ(AnswerCommandLine(0, nullptr, out), std::nullopt);
}

}  // namespace
}  // namespace brennquist
