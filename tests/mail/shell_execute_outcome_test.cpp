// The Windows shell's answers, as Microsoft documents them for ShellExecute:
// Wine has no mail program set up to give them.
#include "mail/shell_execute_outcome.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace brennquist {
namespace {

TEST(MailOutcomeOfShellExecute, TellsNoAssociationFromOtherFailures) {
    const std::vector<std::pair<std::intptr_t, MailOutcome>> answers{
        {33, MailOutcome::HandedOver},    {42, MailOutcome::HandedOver},
        {31, MailOutcome::NoMailProgram},  // SE_ERR_NOASSOC
        {32, MailOutcome::StartFailed},    // SE_ERR_DLLNOTFOUND
        {27, MailOutcome::StartFailed},    // SE_ERR_ASSOCINCOMPLETE
        {29, MailOutcome::StartFailed},    // SE_ERR_DDEFAIL
        {5, MailOutcome::StartFailed},     // SE_ERR_ACCESSDENIED
        {2, MailOutcome::StartFailed},     // SE_ERR_FNF
        {0, MailOutcome::StartFailed},     // out of memory or resources
    };
    for (const auto& [result, outcome] : answers) {
        EXPECT_EQ(MailOutcomeOfShellExecute(result), outcome) << result;
    }
}

}  // namespace
}  // namespace brennquist
