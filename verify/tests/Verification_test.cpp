// The built-in verification: every case passes with the engine as it is, and
// a case off its reference is reported as a failure in both tables.
#include "verify/Verification.h"

#include <gtest/gtest.h>

TEST(Verification, EveryCasePassesAndAWrongValueFails)
{
    std::vector<VerificationCase> cases = RunVerification();
    ASSERT_GT(cases.size(), 60u);
    for (const VerificationCase& c : cases)
        EXPECT_TRUE(c.Passed()) << c.group << ": " << c.name << " " << c.computed << " vs " << c.reference;
    EXPECT_NE(VerificationText(cases).find(std::to_string(cases.size()) + " cases: " + std::to_string(cases.size()) +
                                           " passed, 0 failed"),
              std::string::npos);

    cases.front().computed *= 1.01;
    cases.front().error = 0.01;
    EXPECT_EQ(FailedCount(cases), 1);
    EXPECT_NE(VerificationText(cases).find("FAIL"), std::string::npos);
    EXPECT_NE(VerificationMarkdown(cases).find("**FAIL**"), std::string::npos);
}
