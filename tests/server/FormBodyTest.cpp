#include "server/FormBody.h"

#include <gtest/gtest.h>

using namespace zev::server;

TEST(FormBody, SplitsAtAmpersandsAndFirstEquals)
{
    auto fields = SplitForm("&A=12&B=x=y&&C=");
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].name, "A");
    EXPECT_EQ(fields[0].value, "12");
    EXPECT_EQ(fields[1].value, "x=y");
    EXPECT_EQ(fields[2].name, "C");
    EXPECT_EQ(fields[2].value, "");
}

TEST(FormBody, UnescapedAmpersandStaysInsideItsValue)
{
    // "Terms & more" was sent without escaping: the part without "=" belongs to the value before it.
    auto fields = SplitForm("E=Terms & more&F=now");
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].value, "Terms & more");
    EXPECT_EQ(fields[1].value, "now");
}

TEST(FormBody, QueryValuesAreUrlDecodedButNamesKept)
{
    auto fields = SplitQuery("/p/grabdata.cfm?ID=1&P=ab&UD=2006-03-07%2016:05:09&X=a+b");
    EXPECT_EQ(FindField(fields, "UD").value(), "2006-03-07 16:05:09");
    EXPECT_EQ(FindField(fields, "X").value(), "a b");
    EXPECT_FALSE(FindField(fields, "p").has_value());
}

struct UnescapeCase {
    const char* sent;
    const std::vector<std::pair<std::string, std::string>>& (*set)();
    const char* original;
};

class UnescapeTest : public ::testing::TestWithParam<UnescapeCase> {};

TEST_P(UnescapeTest, RestoresTheTypedText)
{
    EXPECT_EQ(Unescape(GetParam().sent, GetParam().set()), GetParam().original);
}

INSTANTIATE_TEST_SUITE_P(Sets, UnescapeTest,
                         ::testing::Values(UnescapeCase{"Salt %26 pepper", EscapeSetA, "Salt & pepper"},
                                           UnescapeCase{"100%25", EscapeSetB, "100%"},
                                           // one pass: a typed "%26" arrives as %2526 and must come back as %26
                                           UnescapeCase{"%2526 %26 %94", EscapeSetB, "%26 & ^"},
                                           UnescapeCase{"Tom~|AJerry''s ~|C", EscapeSetC, "Tom&Jerry's ^"},
                                           UnescapeCase{"10%2045%2BA", EscapeSetD, "10 45+A"},
                                           UnescapeCase{"A~|AB", EscapeSetE, "A&B"},
                                           UnescapeCase{"no escapes", EscapeSetB, "no escapes"}));

TEST(FormBody, StrictNumbers)
{
    EXPECT_EQ(ParseInteger(" 42 ").value(), 42);
    EXPECT_EQ(ParseInteger("-1").value(), -1);
    EXPECT_FALSE(ParseInteger("4x").has_value());
    EXPECT_FALSE(ParseInteger("").has_value());
    EXPECT_DOUBLE_EQ(ParseDecimal("12.50").value(), 12.5);
    EXPECT_FALSE(ParseDecimal("1,5").has_value());
}
