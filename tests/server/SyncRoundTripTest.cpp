// The program's own table reader applied to what grabdata sends gives the server's rows back.
#include "server/ZevServer.h"
#include "sync/DatabaseBuilder.h"
#include "sync/SyncEngine.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/QueryPool.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <map>

using namespace zev;

namespace {

const char* const kDigest = "0123456789abcdef0123456789abcdef";

class MapSettings : public sync::ISyncSettings {
public:
    std::string Value(const std::string& section, const std::string& key, const std::string& def) const override
    {
        auto it = values.find(section + "/" + key);
        return it == values.end() ? def : it->second;
    }
    std::map<std::string, std::string> values;
};

class MapProfile : public sync::ISyncProfile {
public:
    std::string GetString(const std::string& name, const std::string& def) const override
    {
        auto it = values.find(name);
        return it == values.end() ? def : it->second;
    }
    void SetString(const std::string& name, const std::string& value) override { values[name] = value; }
    int GetInt(const std::string& name, int def) const override
    {
        auto it = values.find(name);
        return it == values.end() ? def : std::atoi(it->second.c_str());
    }
    void SetInt(const std::string& name, int value) override { values[name] = std::to_string(value); }
    void DeleteSection(const std::string&) override { values.clear(); }
    std::map<std::string, std::string> values;
};

class SilentBox : public IMessageBox {
public:
    MbResult Show(int, zev::Caption, MbButtons, MbIcon) override { return MbResult::Ok; }
    MbResult ShowText(const std::string& text, zev::Caption, MbButtons, MbIcon) override
    {
        shown.push_back(text);
        return MbResult::Ok;
    }
    std::vector<std::string> shown;
};

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
        dir_ = std::filesystem::temp_directory_path() / ("zevroundtrip-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "server");
        std::filesystem::create_directories(dir_ / "Temp");
        server::ServerOptions options;
        options.dataDir = (dir_ / "server").string();
        options.schemaPath = ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini";
        server_ = std::make_unique<server::ZevServer>(options, clock_);
        server_->Store().AddUser("100200", kDigest, "Rep", false);
        ASSERT_TRUE(server_->Start());

        settings_.values["GENERAL/DEFAULTHOST"] = "127.0.0.1";
        settings_.values["GENERAL/PORT"] = std::to_string(server_->Port());
        settings_.values["GENERAL/SCHEMAFILE"] = "ZevSchema.ini";
        profile_.values["UserID"] = "100200";
        profile_.values["Password"] = kDigest;
        db_ = std::make_unique<sync::TabulaSyncDb>("Data Source=" + (dir_ / "local.db").string());

        sync::SyncServices services;
        std::string reply = (dir_ / "Temp" / "$dltemp.txt").string();
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
        services.messageBox = &box_;
        services.clock = &clock_;
        services.settings = &settings_;
        services.profile = &profile_;
        services.db = db_.get();
        services.paths.replyFile = reply;
        services.paths.errorLog = (dir_ / "Temp" / "$q9err.txt").string();
        services.paths.tempDir = (dir_ / "Temp").string();
        services.paths.programDir = ZEV_SOURCE_ROOT "/distributor";
        services.mapPath = [this](const std::string&) { return (dir_ / "Temp").string(); };
        services.mobileVersion = "v1";
        engine_ = std::make_unique<sync::SyncEngine>(services);
        ASSERT_TRUE(db_->OpenAdmin());
    }

    void TearDown() override
    {
        engine_.reset();
        db_.reset();
        QueryPool::DestroyAll();
        server_.reset();
        std::filesystem::remove_all(dir_);
    }

    void ServerExec(const std::string& sql)
    {
        std::lock_guard lock(server_->Store().Mutex());
        server_->Store().Db().Exec(sql);
    }

    std::filesystem::path dir_;
    SystemClock clock_;
    MapSettings settings_;
    MapProfile profile_;
    SilentBox box_;
    std::unique_ptr<server::ZevServer> server_;
    std::unique_ptr<sync::TabulaSyncDb> db_;
    std::unique_ptr<sync::SyncEngine> engine_;
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
    sync::DatabaseBuilder builder(*engine_);
    ASSERT_EQ(builder.GrabTableForManager("Accounts", 1), 2) << (box_.shown.empty() ? "" : box_.shown.front());

    std::vector<std::string> localColumns;
    sync::Rows local;
    ASSERT_TRUE(db_->Select("select * from Accounts order by AccountID", local, &localColumns));
    server::TableData served = server_->Store().ReadTable("Accounts", {"100200"}, std::nullopt);
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
    sync::DatabaseBuilder builder(*engine_);
    ASSERT_EQ(builder.GrabTableForManager("Items", 1), 2);
    ServerExec("update Items set QtyOnHand = 5 where ItemID = 1002");
    ASSERT_EQ(builder.GrabTables("Inventory", 2, true), 0);
    sync::Rows rows;
    ASSERT_TRUE(db_->Select("select ItemID, QtyOnHand from Items order by ItemID", rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], "24");
    EXPECT_EQ(rows[1][1], "5");
}
