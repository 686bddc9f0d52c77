#include "server/OrderBody.h"

#include <gtest/gtest.h>

using namespace zev::server;

namespace {

// An order as the program writes it: notes "50% & more", a line comment with a caret.
const char* const kOrder =
    "A=5001&B=12/09/2026&C=50%25 %26 more&E=Net 30&F=12/8/2026 9:15:02 AM&G=1&K=Truck"
    "&KK=1|0|0|1|0|0|0|0|0|2&S=SIG:1,2;3,4"
    "&L1=1001^2^3^120.00^11.00^0^0^0^24^6^273.00^16.50^1^Deliver %25 first %26 ask for Sam %94 back door"
    "&L2=1002^1^0^99.99^9.09^5^-1.00^-2.00^0^0^99.99^0.00^0^"
    "&T=2";

} // namespace

TEST(OrderBody, ParsesHeaderAndLinesWithEscapes)
{
    ReceivedOrder order;
    std::string error;
    ASSERT_TRUE(ParseOrderBody(kOrder, order, error)) << error;
    EXPECT_EQ(order.accountId, 5001);
    EXPECT_EQ(order.deliveryDate, "12/09/2026");
    EXPECT_EQ(order.notes, "50% & more");
    EXPECT_EQ(order.creditTerms, "Net 30");
    EXPECT_EQ(order.createdTime, "12/8/2026 9:15:02 AM");
    EXPECT_EQ(order.shipMethod, "Truck");
    EXPECT_EQ(order.odcText, "");
    EXPECT_EQ(order.signature, "SIG:1,2;3,4");
    EXPECT_EQ(order.optionMarks[0], 1);
    EXPECT_EQ(order.optionMarks[3], 1);
    EXPECT_EQ(order.optionMarks[9], 2);
    ASSERT_EQ(order.lines.size(), 2u);
    const ReceivedOrderLine& first = order.lines[0];
    EXPECT_EQ(first.lineNumber, 1);
    EXPECT_EQ(first.itemId, 1001);
    EXPECT_EQ(first.cases, 2);
    EXPECT_EQ(first.singles, 3);
    EXPECT_DOUBLE_EQ(first.caseDistPrice, 120.0);
    EXPECT_DOUBLE_EQ(first.extPrice, 273.0);
    EXPECT_EQ(first.par, 24);
    EXPECT_EQ(first.inv, 6);
    EXPECT_EQ(first.warehouse, 1);
    EXPECT_EQ(first.lineComment, "Deliver % first & ask for Sam ^ back door");
    const ReceivedOrderLine& second = order.lines[1];
    EXPECT_EQ(second.specialFlag, "5");
    EXPECT_EQ(second.discountAmount, "-1.00");
    EXPECT_EQ(second.priceOverride, "-2.00");
    EXPECT_EQ(second.lineComment, "");
}

TEST(OrderBody, OrderWithoutSignatureOrCardOrLines)
{
    ReceivedOrder order;
    std::string error;
    ASSERT_TRUE(ParseOrderBody("A=7&B=01/02/2027&KK=0|0|0|0|0|0|0|0|0|0&T=0", order, error)) << error;
    EXPECT_TRUE(order.signature.empty());
    EXPECT_TRUE(order.creditCard.empty());
    EXPECT_TRUE(order.lines.empty());
}

struct BadOrder {
    const char* body;
    const char* reason;
};

class BadOrderTest : public ::testing::TestWithParam<BadOrder> {};

// A body the server cannot take whole is refused, so the program keeps the order and sends it again.
TEST_P(BadOrderTest, IsRefused)
{
    ReceivedOrder order;
    std::string error;
    EXPECT_FALSE(ParseOrderBody(GetParam().body, order, error)) << GetParam().reason;
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, BadOrderTest,
    ::testing::Values(BadOrder{"B=1&KK=0|0|0|0|0|0|0|0|0|0&T=0", "no account"},
                      BadOrder{"A=1&B=1&T=0", "no option marks"}, BadOrder{"A=1&KK=0|0|0&T=0", "too few option marks"},
                      BadOrder{"A=1&KK=0|0|0|0|0|0|0|0|0|0&L1=1^1^0^1.00^1.00^0^0^0^0^0^1.00^0.00^0^&T=2",
                               "a line missing (truncated body)"},
                      BadOrder{"A=1&KK=0|0|0|0|0|0|0|0|0|0&L1=1^1^0^1.00&T=1", "a short line"},
                      BadOrder{"A=1&KK=0|0|0|0|0|0|0|0|0|0&L1=x^1^0^1.00^1.00^0^0^0^0^0^1.00^0.00^0^&T=1",
                               "a malformed number"},
                      BadOrder{"A=1&KK=0|0|0|0|0|0|0|0|0|0&L2=1^1^0^1.00^1.00^0^0^0^0^0^1.00^0.00^0^&T=1",
                               "lines not numbered from 1"},
                      BadOrder{"A=1&KK=0|0|0|0|0|0|0|0|0|0", "no line count"}));
