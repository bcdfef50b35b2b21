// The Windows shell's answers as Microsoft documents them for ShellExecute:
// Wine has no mail program set up to give them.
#include "mail/shell_execute_outcome.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace brennquist {
namespace {

TEST(MailOutcomeOfShellExecute, TellsNoAssociationFromOtherFailures) {
    // Above 32 handed over; SE_ERR_NOASSOC, SE_ERR_DLLNOTFOUND, SE_ERR_ASSOCINCOMPLETE,
    // SE_ERR_ACCESSDENIED, out of memory.
    const std::vector<std::pair<std::intptr_t, MailOutcome>> answers{
        {33, MailOutcome::HandedOver},  {31, MailOutcome::NoMailProgram},
        {32, MailOutcome::StartFailed}, {27, MailOutcome::StartFailed},
        {5, MailOutcome::StartFailed},  {0, MailOutcome::StartFailed}};
    for (const auto& [result, outcome] : answers) {
        EXPECT_EQ(MailOutcomeOfShellExecute(result), outcome) << result;
    }
}

}  // namespace
}  // namespace brennquist
