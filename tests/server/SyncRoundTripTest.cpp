// The program's own table reader applied to what grabdata sends gives the server's rows back.
#include "server/ZevServer.h"
#include "support/ScriptedMessageBox.h"
#include "sync/DatabaseBuilder.h"
#include "sync/SyncEngine.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/QueryPool.h"
#include "tests/sync/SyncFakes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <map>

using namespace zev;

namespace {

const char* const kDigest = "0123456789abcdef0123456789abcdef";

using MapSettings = sync::test::FakeSettings;
using MapProfile = sync::test::FakeProfile;

// Texts compare trimmed (the format carries an empty value as a blank); numbers compare as numbers.
bool SameValue(const std::string& a, const std::string& b)
{
    auto trim = [](std::string s) {
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        while (!s.empty() && s.front() == ' ')
            s.erase(s.begin());
        return s;
    };
    std::string x = trim(a), y = trim(b);
    if (x == y)
        return true;
    // A value the server has not (null) travels as a blank; in a number
    // column the program stores a blank as 0.
    if (y.empty() && x == "0")
        return true;
    char* endX = nullptr;
    char* endY = nullptr;
    double dx = std::strtod(x.c_str(), &endX), dy = std::strtod(y.c_str(), &endY);
    return !x.empty() && !y.empty() && *endX == '\0' && *endY == '\0' && dx == dy;
}

class SyncRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() / ("zevroundtrip-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir / "server");
        std::filesystem::create_directories(m_dir / "Temp");
        server::ServerOptions options;
        options.dataDir = (m_dir / "server").string();
        options.schemaPath = ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini";
        m_server = std::make_unique<server::ZevServer>(options, m_clock);
        m_server->Store().AddUser("100200", kDigest, "Rep", false);
        ASSERT_TRUE(m_server->Start());

        m_settings.values["GENERAL/DEFAULTHOST"] = "127.0.0.1";
        m_settings.values["GENERAL/PORT"] = std::to_string(m_server->Port());
        m_settings.values["GENERAL/SCHEMAFILE"] = "ZevSchema.ini";
        m_profile.values["UserID"] = "100200";
        m_profile.values["Password"] = kDigest;
        m_db = std::make_unique<sync::TabulaSyncDb>("Data Source=" + (m_dir / "local.db").string());

        sync::SyncServices services;
        std::string reply = (m_dir / "Temp" / "$dltemp.txt").string();
        // The posting library's part: post the body, leave the reply in the reply file.
        services.postData = [reply](const char* host, const char*, const char* path, const char* body, int,
                                    IProgressSink*, int port) {
            httplib::Client client(host, port);
            auto result = client.Post(path, body, "application/x-www-form-urlencoded");
            if (!result || result->status != 200)
                return 1;
            std::ofstream(reply, std::ios::binary) << result->body;
            return 0;
        };
        services.messageBox = &m_box;
        services.clock = &m_clock;
        services.settings = &m_settings;
        services.profile = &m_profile;
        services.db = m_db.get();
        services.paths.replyFile = reply;
        services.paths.errorLog = (m_dir / "Temp" / "$q9err.txt").string();
        services.paths.tempDir = (m_dir / "Temp").string();
        services.paths.programDir = ZEV_SOURCE_ROOT "/distributor";
        services.mapPath = [this](const std::string&) { return (m_dir / "Temp").string(); };
        services.mobileVersion = "v1";
        m_engine = std::make_unique<sync::SyncEngine>(services);
        ASSERT_TRUE(m_db->OpenAdmin());
    }

    void TearDown() override
    {
        m_engine.reset();
        m_db.reset();
        QueryPool::DestroyAll();
        m_server.reset();
        std::filesystem::remove_all(m_dir);
    }

    void ServerExec(const std::string& sql)
    {
        std::lock_guard lock(m_server->Store().Mutex());
        m_server->Store().Db().Exec(sql);
    }

    std::filesystem::path m_dir;
    SystemClock m_clock;
    MapSettings m_settings;
    MapProfile m_profile;
    zevtest::ScriptedMessageBox m_box{zevtest::ScriptedMessageBox::WhenEmpty::Ok};
    std::unique_ptr<server::ZevServer> m_server;
    std::unique_ptr<sync::TabulaSyncDb> m_db;
    std::unique_ptr<sync::SyncEngine> m_engine;
};

} // namespace

TEST_F(SyncRoundTripTest, AppliedDownloadHoldsTheServersRows)
{
    ServerExec("insert into Accounts (AccountID, CompanyName, ContactName, ApptDays, DelivDays, PricingTier, "
               "CatalogIDs, BalanceDue, LastOrder, Comment1, zev_rep) values "
               "(5001, 'Bread & Wine', 'Ann O''Neil', 'NYNNNNN', 'NYNYNYN', 2, '20,10', 1234.5, "
               "'2026-03-01 00:00:00', '', '100200'), "
               "(5002, 'Corner Market', '', 'YYYYYYY', 'NNYNYNN', 0, '10', 0, null, 'Call first', '100200'), "
               "(5003, 'Not mine', 'x', 'NNNNNNN', 'NNNNNNN', 0, '10', 0, null, '', '100300')");
    sync::DatabaseBuilder builder(*m_engine);
    ASSERT_EQ(builder.GrabTableForManager("Accounts", 1), 2) << (m_box.shown.empty() ? "" : m_box.shown.front().text);

    std::vector<std::string> localColumns;
    sync::Rows local;
    ASSERT_TRUE(m_db->Select("select * from Accounts order by AccountID", local, &localColumns));
    server::TableData served = m_server->Store().ReadTable("Accounts", {"100200"}, std::nullopt);
    ASSERT_EQ(local.size(), served.rows.size());
    ASSERT_EQ(localColumns.size(), served.columns.size());
    for (size_t r = 0; r < local.size(); ++r)
        for (size_t c = 0; c < localColumns.size(); ++c)
            EXPECT_TRUE(SameValue(local[r][c], served.rows[r][c]))
                << localColumns[c] << ": local '" << local[r][c] << "' server '" << served.rows[r][c] << "'";
}

TEST_F(SyncRoundTripTest, InventoryUpdateSinceTheStampChangesTheQuantities)
{
    ServerExec("insert into Items (ItemID, Description, QtyPerCase, QtyOnHand, DeletedFlag) values "
               "(1001, 'Cabernet', 12, 24, 0), (1002, 'Lager', 24, 48, 0)");
    sync::DatabaseBuilder builder(*m_engine);
    ASSERT_EQ(builder.GrabTableForManager("Items", 1), 2);
    ServerExec("update Items set QtyOnHand = 5 where ItemID = 1002");
    ASSERT_EQ(builder.GrabTables("Inventory", 2, true), 0);
    sync::Rows rows;
    ASSERT_TRUE(m_db->Select("select ItemID, QtyOnHand from Items order by ItemID", rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], "24");
    EXPECT_EQ(rows[1][1], "5");
}
