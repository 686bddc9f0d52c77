#include "app/core/ZevConfig.h"
#include "app/core/CZevSettings.h"
#include "app/core/DistributorInfo.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfigFields.h"

#include "FakeMessageBox.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>

using namespace zev;

namespace {

std::string ValidRecord(std::uint16_t version = 3, std::uint16_t layoutVersion = 1)
{
    ZevConfig c;
    c.SetUInt32(cfg::kMagic, cfg::kMagicValue);
    c.SetUInt16(cfg::kFormatVersion, version);
    c.SetUInt16(cfg::kListLayoutVersion, layoutVersion);
    c.SetByte(cfg::kCallTracking, 1);
    c.SetText(cfg::kPhoneText, "(555) 010-4200");
    return std::string(c.Bytes().begin(), c.Bytes().end());
}

struct LoadCase {
    const char* name;
    std::string bytes;
    bool exists;
    ZevConfig::LoadResult result;
    int message;
};

class ZevConfigLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(ZevConfigLoad, AcceptsOnlyTheExactRecord)
{
    TempDir dir;
    const LoadCase& c = GetParam();
    const std::string path = c.exists ? dir.Write("ZevConfig.dat", c.bytes) : dir.File("ZevConfig.dat");
    FakeMessageBox messages;
    ZevConfig config;
    config.SetByte(cfg::kGuideMode, 9); // must not survive a rejected load
    EXPECT_EQ(config.Load(path, messages), c.result);
    if (c.message == 0) {
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_TRUE(config.IsOn(cfg::kCallTracking));
        EXPECT_EQ(config.Text(cfg::kPhoneText), "(555) 010-4200");
    } else {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].textId, c.message);
        EXPECT_EQ(messages.shown[0].captionId, CaptionNumber(ids::kCaptionError));
        EXPECT_EQ(messages.shown[0].icon, MbIcon::Stop);
        EXPECT_TRUE(std::all_of(config.Bytes().begin(), config.Bytes().end(), [](auto b) { return b == 0; }));
    }
}

std::string Corrupt(std::string bytes, std::size_t at)
{
    bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ZevConfigLoad,
    ::testing::Values(
        LoadCase{"Valid", ValidRecord(), true, ZevConfig::LoadResult::Ok, 0},
        LoadCase{"Missing", "", false, ZevConfig::LoadResult::Corrupted, ids::kConfigCorrupted},
        LoadCase{"Empty", "", true, ZevConfig::LoadResult::Corrupted, ids::kConfigCorrupted},
        LoadCase{"OneByteShort", ValidRecord().substr(0, 17713), true, ZevConfig::LoadResult::Corrupted,
                 ids::kConfigCorrupted},
        LoadCase{"OneByteLong", ValidRecord() + "x", true, ZevConfig::LoadResult::Corrupted, ids::kConfigCorrupted},
        LoadCase{"WrongMagic", Corrupt(ValidRecord(), 3), true, ZevConfig::LoadResult::Corrupted,
                 ids::kConfigCorrupted},
        LoadCase{"VersionTwo", ValidRecord(2), true, ZevConfig::LoadResult::WrongVersion, ids::kConfigWrongVersion},
        LoadCase{"VersionFour", ValidRecord(4), true, ZevConfig::LoadResult::WrongVersion, ids::kConfigWrongVersion}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(ZevConfig, ListDefinitionRoundTripsThroughTheRecord)
{
    ZevConfig c;
    ListDefinition def;
    def.number = 1;
    def.headings = {"Description", "Cases", "Singles"};
    def.widths = {200, 0, 45};
    def.formats = {0, 1, 1};
    def.order = {1, 3, 2};
    def.flags = {0, 4, 5};
    c.SetList(def);

    const ListDefinition back = c.List(1);
    EXPECT_EQ(back.name, "OrderGuide");
    EXPECT_EQ(back.headings, def.headings);
    ASSERT_EQ(back.widths.size(), 32u);
    EXPECT_EQ(back.widths[0], 200);
    EXPECT_EQ(back.widths[2], 45);
    EXPECT_EQ(back.order[1], 3);
    EXPECT_EQ(back.flags[2], 5);
    // The list's blocks sit where the record says.
    EXPECT_EQ(c.Text(3500, 32), "Description");
    EXPECT_EQ(c.UInt16(4524), 200);
    EXPECT_EQ(c.Byte(4652 + 1), 4);

    EXPECT_TRUE(c.List(0).headings.empty());
    EXPECT_TRUE(c.List(18).headings.empty());
    EXPECT_EQ(c.List(5).widths.size(), 20u);
    EXPECT_TRUE(c.List(5).flags.empty());
}

TEST(ZevConfig, TextsAlwaysEndInsideTheirField)
{
    ZevConfig c;
    c.SetTitle(9, std::string(40, 'T'));
    c.SetTitle(10, "Next");
    EXPECT_EQ(c.Title(9), std::string(31, 'T'));
    EXPECT_EQ(c.Title(10), "Next");
    EXPECT_EQ(c.Title(64), "");
    EXPECT_EQ(c.Text(cfg::kTitles + 32 * 10), "Next");
}

TEST(ZevConfig, NumbersAreLittleEndian)
{
    ZevConfig c;
    c.SetInt32(cfg::kDealCodeMin, -2);
    c.SetInt32(cfg::kDealCodeMax, 0x01020304);
    c.SetUInt16(cfg::kOrderMinimum, 500);
    EXPECT_EQ(c.Int32(cfg::kDealCodeMin), -2);
    EXPECT_EQ(c.Byte(cfg::kDealCodeMax), 4);
    EXPECT_EQ(c.UInt16(cfg::kOrderMinimum), 500);
    EXPECT_EQ(c.Byte(cfg::kRecordSize + 10), 0); // outside: zero, no crash
}

TEST(ZevConfigFields, NamedFieldsDoNotOverlap)
{
    std::map<std::size_t, const cfg::ConfigField*> owner;
    for (const auto& f : cfg::kConfigFields) {
        ASSERT_LE(f.offset + f.width, cfg::kRecordSize) << f.name;
        ASSERT_EQ(cfg::FindConfigField(f.name), &f) << "duplicate name " << f.name;
        for (std::size_t o = f.offset; o < f.offset + f.width; ++o) {
            const auto it = owner.find(o);
            if (it != owner.end()) { // only exact aliases may share bytes
                EXPECT_TRUE(it->second->offset == f.offset && it->second->width == f.width)
                    << f.name << " overlaps " << it->second->name;
            }
            owner.emplace(o, &f);
        }
    }
}

TEST(CZevSettings, RecordsVersionChangesInTheProfile)
{
    TempDir dir;
    Profile profile(dir.File("p/Satchel.ini"));
    FakeMessageBox messages;
    const std::string path = dir.Write("ZevConfig.dat", ValidRecord(3, 7));

    CZevSettings first;
    ASSERT_TRUE(first.LoadConfig(path, profile, messages));
    EXPECT_TRUE(first.configurationChanged);
    EXPECT_TRUE(first.listLayoutChanged);
    EXPECT_EQ(profile.GetInt("Configuration"), 3);
    EXPECT_EQ(profile.GetInt("ConfigurationData"), 7);

    CZevSettings second;
    ASSERT_TRUE(second.LoadConfig(path, profile, messages));
    EXPECT_FALSE(second.configurationChanged);
    EXPECT_FALSE(second.listLayoutChanged);

    dir.Write("ZevConfig.dat", ValidRecord(3, 8));
    CZevSettings third;
    ASSERT_TRUE(third.LoadConfig(path, profile, messages));
    EXPECT_FALSE(third.configurationChanged);
    EXPECT_TRUE(third.listLayoutChanged);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(CZevSettings, ReadsTheSettingsFileWithDefaults)
{
    TempDir dir;
    const std::string ini =
        dir.Write("ZevSatchel.INI", "[SETTINGS]\nPRICEOVERRIDEMODE=2  \nRENEWMODE=0\nDDAYS=123456789\n"
                                    "[GENERAL]\nPINGHOST=127.0.0.1   \nBeltHatCategories=12,14\n");
    CZevSettings s;
    s.ReadSettingsFile(ini);
    EXPECT_EQ(s.priceOverrideMode, 2);
    EXPECT_EQ(s.enforceValidCatalogs, 1);
    EXPECT_EQ(s.renewMode, 0);
    EXPECT_EQ(s.backupBeforeRenew, 1);
    EXPECT_EQ(s.deliveryDays, 12345); // five characters kept
    EXPECT_EQ(s.pingHost, "127.0.0.1");
    EXPECT_EQ(s.downloadFolder, "\\Temp");
    EXPECT_EQ(s.beltHatCategories, "12,14");
}

TEST(DistributorColumn8, LeadingNumberBeforeTheComma)
{
    EXPECT_EQ(ParseDistributorColumn8("  14,Wine Catalog ").number, 14);
    EXPECT_EQ(ParseDistributorColumn8("  14,Wine Catalog ").text, "14,Wine Catalog");
    EXPECT_EQ(ParseDistributorColumn8("22").number, 22);
    EXPECT_EQ(ParseDistributorColumn8("").number, 10);
    EXPECT_EQ(ParseDistributorColumn8("   ").number, 10);
}

} // namespace
