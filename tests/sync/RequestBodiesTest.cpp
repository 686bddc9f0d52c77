#include "sync/RequestBodies.h"

#include <gtest/gtest.h>

using namespace zev::sync;

namespace {
Row ReadyOrderRow()
{
    Row r(25);
    r[0] = "5001";
    r[1] = "7";
    r[3] = "03/08/2006 ";
    r[4] = "50% & more";
    r[8] = "2006-3-7 10:5:0";
    r[9] = "1";
    for (int i = 14; i < 24; ++i)
        r[static_cast<size_t>(i)] = i == 15 ? "1" : "0";
    return r;
}
} // namespace

TEST(OrderBody, HeaderLeavesOutEmptyPartsAndKeepsKK)
{
    std::string b = OrderHeaderPart(ReadyOrderRow());
    EXPECT_EQ(b, "A=5001&B=03/08/2006&C=50%25 %26 more&F=2006-3-7 10:5:0&G=1&KK=0|1|0|0|0|0|0|0|0|0");
    EXPECT_EQ(b.find("&J="), std::string::npos);
    EXPECT_EQ(b.find("&S="), std::string::npos);
}

TEST(OrderBody, LineEscapesCommentAndHonoursConfiguration)
{
    std::vector<std::string> cols{"ItemID",      "CQty",           "SQty",          "CDistPrice", "SDistPrice",
                                  "SpecialFlag", "DiscountAmount", "PriceOverride", "par",        "inv",
                                  "ExtPrice",    "RetailPrice",    "Warehouse",     "LineComment"};
    Row v{"1001", "2", "3", "120", "10.5", "0", "-1.00", "0.00", "0", "0", "271.5", "14.99", "3", "rush ^ 100% & now"};
    OrderBodyOptions opt;
    opt.warehouseLimit = 5;
    EXPECT_EQ(OrderLinePart(1, NamedRow(cols, v), opt),
              "&L1=1001^2^3^120.00^10.50^0^-1.00^0.00^0^0^271.50^14.99^3^rush %94 100%25 %26 now");
    opt.hideRetail = true;
    opt.warehouseLimit = 2;
    EXPECT_EQ(OrderLinePart(2, NamedRow(cols, v), opt),
              "&L2=1001^2^3^120.00^10.50^0^-1.00^0.00^0^0^271.50^0.00^0^rush %94 100%25 %26 now");
}

TEST(UploadBodies, NoteAndIssueUseSetA)
{
    Row note{"100200", "5001", "2006-03-07 16:05:09", "2006", "3", "7", "16", "5", "9", "Salt & pepper ", "1"};
    EXPECT_EQ(NoteBody(note), "AccountID=5001&DateEntered=2006-03-07 16:05:09&UpdatedFlag=1&Comment=Salt %26 pepper");
    Row issue{"3", " Broken & late ", "Long", "5001", "1"};
    EXPECT_EQ(IssueBody(issue), "AccountID=5001&ShortDesc=Broken %26 late&LongDesc=Long&WantResponse=1");
}

TEST(UploadBodies, OrderGuideSplitsLastQuantityIntoCasesAndSingles)
{
    std::vector<std::string> cols{"ItemID", "CaseQTY", "SingleQTY", "LastQty", "QtyPerCase", "RetailPrice"};
    Row v{"1001", "1", "0", "30", "12", "9.99"};
    std::string line = OrderGuideLine(1, NamedRow(cols, v), false);
    EXPECT_NE(line.find("&H1=2&I1=6"), std::string::npos) << line;
    EXPECT_NE(line.find("&R1=9.99"), std::string::npos);
    EXPECT_NE(OrderGuideLine(1, NamedRow(cols, v), true).find("&R1=0.00"), std::string::npos);
}

TEST(UploadBodies, SurveyAnswersUseSetBAndBlankForEmpty)
{
    std::vector<std::string> cols{"DoneID", "QuestionID", "Type", "Answer", "Comment"};
    Row a{"1", "4", "2", "100%", ""};
    EXPECT_EQ(SurveyAnswer(1, NamedRow(cols, a)), "&R1=4^2^100%25^ ");
}

TEST(UploadBodies, MessagesUseSetCAndBlankTextsForRepliesWithId)
{
    Row m{"0", "100200", "900100", "x", "11", "0", "x", "Fish & chips", "Bob's"};
    EXPECT_EQ(MessagePart(1, m), "&M1=0^11^0^100200^900100^Fish ~|A chips^Bob''s");
    m[0] = "12";
    EXPECT_EQ(MessagePart(2, m), "&M2=12^11^0^100200^900100^ ^ ");
}

TEST(UploadBodies, InvoiceNumberUsesSetDAndDepositWithoutCollectionSendsZero)
{
    Row ar(21);
    ar[0] = "5001";
    ar[4] = "10 45+A";
    ar[9] = "12.5";
    ar[11] = "0";
    ar[12] = "1";
    ar[14] = "77 1";
    ar[15] = "1";
    ar[16] = "x";
    ar[17] = "y";
    EXPECT_EQ(InvoicePart(1, ar, false), "A1=5001&B1=10%2045%2BA&C1=12.50&D1=1&E1=77%201&F1=x&G1=y");
    EXPECT_EQ(InvoicePart(1, ar, true), "A1=5001&B1=10%2045%2BA&C1=0.00&D1=1&E1=77%201&F1=x&G1=y");
}

TEST(UploadBodies, NewAccountSkipsEmptyTextsAndSendsType)
{
    Row r{"1", "Bar & Grill", "", "1 Main", "", "Town", "", "", "", "", "", "", "1", "note"};
    EXPECT_EQ(NewAccountBody(r), "&CompanyName=Bar %26 Grill&Address1=1 Main&City=Town&Notes=note&AccountType=On");
}

TEST(UploadBodies, FormAnswerUsesSetE)
{
    std::vector<std::string> cols{"FormID", "AccountID", "QuestionID", "Answer"};
    Row r{"2", "5001", "3", "A&B"};
    EXPECT_EQ(FormBody(NamedRow(cols, r)), "FormID=2 &AccountID=5001 &QuestionID=3 &Answer=A~|AB");
}
