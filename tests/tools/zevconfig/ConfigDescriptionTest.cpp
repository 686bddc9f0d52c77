#include "tools/zevconfig/ConfigDescription.h"

#include "app/core/ZevConfigFields.h"
#include "base/AtomicFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

using namespace zev;
using namespace zev::tools;

namespace {

const std::string kKitText = std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevConfig.txt";
const std::string kKitRecord = std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevConfig.dat";

std::string Read(const std::string& path)
{
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path, text)) << path;
    return text;
}

ZevConfig Build(const std::string& text)
{
    ZevConfig record;
    std::string error;
    EXPECT_TRUE(BuildRecord(text, record, error)) << error;
    return record;
}

TEST(ZevConfigDescription, KitRecordIsTheBuildOfItsDescription)
{
    const ZevConfig built = Build(Read(kKitText));
    const std::string shipped = Read(kKitRecord);
    ASSERT_EQ(shipped.size(), cfg::kRecordSize);
    EXPECT_TRUE(std::equal(shipped.begin(), shipped.end(), built.Bytes().begin(), [](char a, std::uint8_t b) {
        return static_cast<std::uint8_t>(a) == b;
    })) << "distributor/ZevConfig.dat is stale: rebuild it with zevconfig build";
}

TEST(ZevConfigDescription, KitRecordIsAcceptedAndComplete)
{
    ZevConfig record;
    ASSERT_EQ(record.Load(kKitRecord), ZevConfig::LoadResult::Ok);
    EXPECT_FALSE(record.Text(cfg::kPhoneText).empty());
    EXPECT_TRUE(record.IsOn(cfg::kAccountDetails));
    EXPECT_LE(record.Int32(cfg::kDealCodeMin), record.Int32(cfg::kDealCodeMax));
    for (const auto& l : cfg::kListLayouts) {
        const ListDefinition def = record.List(l.number);
        EXPECT_FALSE(def.headings.empty()) << l.name;
        for (std::size_t i = 0; i < def.headings.size(); ++i)
            EXPECT_GE(def.order[i], 1) << l.name << " column " << i;
    }
}

TEST(ZevConfigDescription, BuildDumpBuildGivesTheSameBytes)
{
    const ZevConfig first = Build(Read(kKitText));
    const std::string dumped = DumpRecord(first);
    const ZevConfig second = Build(dumped);
    EXPECT_EQ(first.Bytes(), second.Bytes());
    EXPECT_EQ(dumped.find("\nraw "), std::string::npos) << "the kit record needs no raw bytes";
    EXPECT_EQ(DumpRecord(second), dumped);
}

TEST(ZevConfigDescription, AnyRecordRoundTripsExactly)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 3; ++round) {
        ZevConfig record;
        for (std::size_t i = 0; i < cfg::kRecordSize; ++i)
            record.SetByte(i, static_cast<std::uint8_t>(random() % 4 == 0 ? random() : 0));
        const ZevConfig back = Build(DumpRecord(record));
        EXPECT_EQ(back.Bytes(), record.Bytes()) << "round " << round;
    }
}

struct BadCase {
    const char* name;
    const char* text;
    const char* error;
};

class BadDescriptions : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadDescriptions, AreRefusedWithTheLine)
{
    ZevConfig record;
    std::string error;
    EXPECT_FALSE(BuildRecord(GetParam().text, record, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, BadDescriptions,
    ::testing::Values(
        BadCase{"UnknownField", "format-version 3\nfield NoSuchThing 1\n", "line 2: unknown field NoSuchThing"},
        BadCase{"ByteOutOfRange", "field CallTracking 256\n", "line 1: CallTracking: 256 is out of range 0..255"},
        BadCase{"NotANumber", "field CallTracking yes\n", "line 1: CallTracking: \"yes\" is not a number"},
        BadCase{"TextTooLong", "field PhoneText \"0123456789012345678901234567890123\"\n",
                "line 1: PhoneText: text longer than 31 bytes"},
        BadCase{"TextUnquoted", "field PhoneText 555\n", "line 1: PhoneText: a quoted text is needed"},
        BadCase{"UnclosedText", "title 9 \"Accounts\n", "line 1: text without closing quote"},
        BadCase{"TitleOutOfRange", "title 64 \"X\"\n", "line 1: title number: 64 is out of range 0..63"},
        BadCase{"UnknownList", "list Nothing\nend\n", "line 1: unknown list Nothing"},
        BadCase{"ListWithoutEnd", "list Accounts\n  column \"A\" width=10\n", "list Accounts has no \"end\""},
        BadCase{"FlagsOnlyOnTwoLists", "list ReadyOrders\n  column \"A\" flag=1\nend\n",
                "line 2: only lists 1 and 2 have column flags"},
        BadCase{"ListTwice", "list Accounts\nend\nlist Accounts\nend\n", "line 3: list Accounts given twice"},
        BadCase{"RawPastTheEnd", "raw 17712 000000\n", "line 1: raw bytes run past the end of the record"},
        BadCase{"UnknownStatement", "switch 12 1\n", "line 1: unknown statement switch"}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(ZevConfigDescription, ListColumnsBeyondTheDefinitionAreRefused)
{
    std::string text = "list ReadyOrders\n";
    for (int i = 0; i < 21; ++i)
        text += "  column \"C" + std::to_string(i) + "\" width=10\n";
    text += "end\n";
    ZevConfig record;
    std::string error;
    EXPECT_FALSE(BuildRecord(text, record, error));
    EXPECT_EQ(error, "line 22: list ReadyOrders has only 20 columns");
}

TEST(ZevConfigTool, BuildsAndDumpsFiles)
{
    const std::string tool = std::string(ZEV_BINARY_DIR) + "/zevconfig";
    const zevtest::TempDir temp("zevconfig");
    const std::string& dir = temp.Path();
    const std::string out1 = dir + "/one.dat";
    const std::string text = dir + "/one.txt";
    const std::string out2 = dir + "/two.dat";
    ASSERT_EQ(std::system(("\"" + tool + "\" build \"" + kKitText + "\" " + out1).c_str()), 0);
    ASSERT_EQ(std::system(("\"" + tool + "\" dump " + out1 + " > " + text).c_str()), 0);
    ASSERT_EQ(std::system(("\"" + tool + "\" build " + text + " " + out2).c_str()), 0);
    EXPECT_EQ(Read(out1), Read(out2));
    EXPECT_EQ(Read(out1), Read(kKitRecord));
    // A bad description leaves no output behind.
    const std::string bad = dir + "/bad.txt";
    ASSERT_TRUE(WriteFileAtomically(bad, "field Nope 1\n"));
    EXPECT_NE(std::system(("\"" + tool + "\" build " + bad + " " + dir + "/bad.dat 2>/dev/null").c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir + "/bad.dat"));
}

} // namespace
