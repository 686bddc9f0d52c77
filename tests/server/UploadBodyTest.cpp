#include "server/UploadBody.h"

#include <gtest/gtest.h>

using namespace zev::server;

namespace {

std::string Value(const std::vector<UploadField>& fields, const std::string& name, int part = 0)
{
    for (const UploadField& f : fields)
        if (f.name == name && f.part == part)
            return f.value;
    return "<missing>";
}

struct UploadCase {
    const char* page;
    const char* body;
    const char* field;
    int part;
    const char* expected;
};

class UploadDecodeTest : public ::testing::TestWithParam<UploadCase> {};

} // namespace

TEST_P(UploadDecodeTest, StoresTheTypedValue)
{
    const UploadCase& c = GetParam();
    const UploadPage* page = FindUploadPage(c.page);
    ASSERT_NE(page, nullptr);
    std::vector<UploadField> fields;
    std::string error;
    ASSERT_TRUE(DecodeUpload(*page, c.body, fields, error)) << error;
    EXPECT_EQ(Value(fields, c.field, c.part), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, UploadDecodeTest,
    ::testing::Values(
        UploadCase{"updateNotes",
                   "AccountID=5001&DateEntered=2026-12-08 10:11:12&UpdatedFlag=1&Comment=Salt %26 pepper", "Comment", 0,
                   "Salt & pepper"},
        UploadCase{"updateIssues", "AccountID=5001&ShortDesc=Printer %26 scanner&LongDesc=Both down&WantResponse=1",
                   "ShortDesc", 0, "Printer & scanner"},
        UploadCase{"takeSurveys", "A=5001&B=1&C=1&D=2026-12-08&E=2026-12-08&R1=1^2^100%25^ &R2=2^1^ ^a %26 b&T=2", "R1",
                   3, "100%"},
        UploadCase{"takeSurveys", "A=5001&B=1&C=1&D=x&E=y&R1=1^2^100%25^ &R2=2^1^ ^a %26 b %94&T=2", "R2", 3, ""},
        UploadCase{"takeSurveys", "A=5001&B=1&C=1&D=x&E=y&R1=1^2^100%25^ &R2=2^1^ ^a %26 b %94&T=2", "R2", 4,
                   "a & b ^"},
        UploadCase{"UpdateMessages", "&M1=0^100200^0^900100^0^Re: Tom~|AJerry^It''s here ~|C&T=1", "M1", 6,
                   "Re: Tom&Jerry"},
        UploadCase{"UpdateMessages", "&M1=0^100200^0^900100^0^Re: Tom~|AJerry^It''s here ~|C&T=1", "M1", 7,
                   "It's here ^"},
        UploadCase{"updateInvoice", "A1=5001&B1=10%2045%2BA&C1=12.50&D1=1&E1=77%2001&F1=&G1=&total=1", "B1", 0,
                   "10 45+A"},
        UploadCase{"updateInvoice", "&total=0", "total", 0, "0"},
        UploadCase{"updateInvImportInfo", "L1=1^5001^2026-12-08 09:00:00^1^10^8^12^2^1&N=1", "L1", 3,
                   "2026-12-08 09:00:00"},
        UploadCase{"UpdateFormsFilled", "FormID=1 &AccountID=5001 &QuestionID=3 &Answer=Side door ~|A ring", "Answer",
                   0, "Side door & ring"},
        UploadCase{"UpdateFormsFilled", "FormID=1 &AccountID=5001 &QuestionID=3 &Answer=x", "AccountID", 0, "5001"},
        UploadCase{"UpdateWo",
                   "A=5001&B=5001&C1=1001&D1=1&E1=0&F1=12.00&G1=1.10&H1=2&I1=6&J1=10&K1=0&L1=A%26B&M1=0"
                   "&N1=0&O1=1&P1=0&Q1=0&R1=0.00&N=1",
                   "L1", 0, "A&B"},
        UploadCase{"UpdateWo", "A=5001&B=5001&N=-1", "N", 0, "-1"},
        UploadCase{"updateAccounts", "&CompanyName=Bread %26 Wine&AccountID=5001&ApptDays=NYNNNNN&ApptTime2=0930",
                   "CompanyName", 0, "Bread & Wine"},
        UploadCase{"newAccounts", "&CompanyName=Fish %26 Chips&City=Salem&AccountType=On", "CompanyName", 0,
                   "Fish & Chips"}));

struct RefusedUpload {
    const char* page;
    const char* body;
};

class RefusedUploadTest : public ::testing::TestWithParam<RefusedUpload> {};

// Counts that do not match their parts mean a cut body: refusing it keeps the rows waiting in the program.
TEST_P(RefusedUploadTest, IsRefused)
{
    std::vector<UploadField> fields;
    std::string error;
    EXPECT_FALSE(DecodeUpload(*FindUploadPage(GetParam().page), GetParam().body, fields, error));
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(Pages, RefusedUploadTest,
                         ::testing::Values(RefusedUpload{"UpdateMessages", "&M1=0^1^0^2^0^a^b&T=2"},
                                           RefusedUpload{"UpdateMessages", "&M1=0^1^0^2^0^a&T=1"},
                                           RefusedUpload{"takeSurveys", "A=1&B=1&C=1&D=x&E=y&R1=1^1^a^b"},
                                           RefusedUpload{"updateInvoice", "A1=1&B1=2&C1=1.00&D1=0&E1=&F1=&G1=&total=2"},
                                           RefusedUpload{"updateInvImportInfo", "L1=1^2^3&N=1"},
                                           RefusedUpload{"UpdateWo", "A=1&B=1&C1=5&N=2"},
                                           RefusedUpload{"updateIssues", "ShortDesc=x"},
                                           RefusedUpload{"UpdateFormsFilled", "FormID=1 &Answer=x"}));

TEST(UploadPages, SuccessRepliesMatchWhatEachCallerTakes)
{
    EXPECT_EQ(UploadPages().size(), 10u);
    for (const char* one : {"takeSurveys", "updateIssues", "updateAccounts", "newAccounts", "updateInvoice"})
        EXPECT_STREQ(FindUploadPage(one)->success, "1") << one;
    for (const char* success : {"updateInvImportInfo", "UpdateMessages", "UpdateFormsFilled", "UpdateWo"})
        EXPECT_STREQ(FindUploadPage(success)->success, "SUCCESS") << success;
    // The notes caller treats every reply but "1" as stored.
    EXPECT_STRNE(FindUploadPage("updateNotes")->success, "1");
    EXPECT_EQ(FindUploadPage("UPDATEISSUES"), FindUploadPage("updateIssues"));
    EXPECT_EQ(FindUploadPage("takeOrders"), nullptr);
}
