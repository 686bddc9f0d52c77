// The whole order path without windows, against the reference server on a
// loopback port: a demo account's guide is loaded, quantities typed, the
// order placed, saved and sent by the synchronisation engine; the server
// holds it and shows it among the open orders of the next synchronisation.
// A changed guide goes up and comes back down with its changes.
#include "DemoData.h"

#include "app/core/Clock.h"
#include "orders/OrderGuide.h"
#include "orders/OrderRules.h"
#include "orders/OrderSaver.h"
#include "server/ZevServer.h"
#include "sync/DatabaseBuilder.h"
#include "sync/OrderSender.h"
#include "sync/SyncEngine.h"
#include "sync/SyncRunner.h"
#include "sync/TabulaSyncDb.h"
#include "sync/Uploads.h"
#include "tabula/QueryPool.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <map>

namespace {

using namespace zev;

class MapSettings : public sync::ISyncSettings {
public:
    std::string Value(const std::string& section, const std::string& key, const std::string& def) const override {
        auto it = values.find(section + "/" + key);
        return it == values.end() ? def : it->second;
    }
    std::map<std::string, std::string> values;
};

class MapProfile : public sync::ISyncProfile {
public:
    std::string GetString(const std::string& name, const std::string& def) const override {
        auto it = values.find(name);
        return it == values.end() ? def : it->second;
    }
    void SetString(const std::string& name, const std::string& value) override { values[name] = value; }
    int GetInt(const std::string& name, int def) const override {
        auto it = values.find(name);
        return it == values.end() ? def : std::atoi(it->second.c_str());
    }
    void SetInt(const std::string& name, int value) override { values[name] = std::to_string(value); }
    void DeleteSection(const std::string&) override { values.clear(); }
    std::map<std::string, std::string> values;
};

// Answers OK and Yes; remembers what it showed.
class AgreeingBox : public IMessageBox {
public:
    MbResult Show(int id, int, MbButtons buttons, MbIcon) override {
        shown.push_back("#" + std::to_string(id));
        return buttons == MbButtons::YesNo ? MbResult::Yes : MbResult::Ok;
    }
    MbResult ShowText(const std::string& text, int, MbButtons buttons, MbIcon) override {
        shown.push_back(text);
        return buttons == MbButtons::YesNo ? MbResult::Yes : MbResult::Ok;
    }
    std::vector<std::string> shown;
};

class OrderRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        demo_ = std::make_unique<test::DemoData>("roundtrip");
        dir_ = demo_->Dir() / "client";
        std::filesystem::create_directories(dir_ / "Temp");
        server::ServerOptions options;
        options.dataDir = demo_->Dir().string();
        server_ = std::make_unique<server::ZevServer>(options, clock_);
        ASSERT_TRUE(server_->Start());

        settings_.values["GENERAL/DEFAULTHOST"] = "127.0.0.1";
        settings_.values["GENERAL/PORT"] = std::to_string(server_->Port());
        settings_.values["GENERAL/SCHEMAFILE"] = "ZevSchema.ini";
        profile_.values["UserID"] = "100200";
        profile_.values["Password"] = test::DemoData::kDigest;
        profile_.values["DBVersion"] = "1.0";
        db_ = std::make_unique<sync::TabulaSyncDb>("Data Source=" + (dir_ / "master.db").string());

        sync::SyncServices services;
        const std::string reply = (dir_ / "Temp" / "$dltemp.txt").string();
        services.postData = [reply](const char* host, const char*, const char* path, const char* body, int,
                                    IProgressSink*, int port) {
            httplib::Client client(host, port);
            auto result = client.Post(path, body, "application/x-www-form-urlencoded");
            if (!result || result->status != 200)
                return 1;
            std::ofstream(reply, std::ios::binary) << result->body;
            return 0;
        };
        services.helpers.isConnected = [] { return 1; };
        services.helpers.compress = [](const char*, int) { return 1; };
        services.helpers.uncompress = [](const char*, int) { return 1; };
        services.helpers.setTime = [](int, int, int, int, int, int) { return 1; };
        services.messageBox = &box_;
        services.clock = &clock_;
        services.settings = &settings_;
        services.profile = &profile_;
        services.db = db_.get();
        services.paths.replyFile = reply;
        services.paths.errorLog = (dir_ / "Temp" / "$q9err.txt").string();
        services.paths.tempDir = (dir_ / "Temp").string();
        services.paths.programDir = ZEV_SOURCE_ROOT "/distributor";
        services.paths.databaseFile = (dir_ / "master.db").string();
        services.mapPath = [root = dir_.string()](const std::string& win) {
            std::string p = win;
            for (char& c : p)
                if (c == '\\')
                    c = '/';
            return root + p;
        };
        services.mobileVersion = "v1";
        engine_ = std::make_unique<sync::SyncEngine>(services);
        builder_ = std::make_unique<sync::DatabaseBuilder>(*engine_);
        uploads_ = std::make_unique<sync::Uploads>(*engine_);
        runner_ = std::make_unique<sync::SyncRunner>(*engine_, *builder_, *uploads_);
        sender_ = std::make_unique<sync::OrderSender>(*engine_, *builder_, *uploads_);
        ASSERT_TRUE(db_->OpenAdmin());
        ASSERT_EQ(builder_->RebuildTable("ALL"), 0);
        ASSERT_TRUE(runner_->SyncRun(1, nullptr)) << Shown();
        account_ = Local("select min(AccountID) from WorkOrder");
        guide_ = Local("select WorkOrderID from WorkOrder where AccountID = " + std::to_string(account_));
        ASSERT_GT(account_, 0) << Shown();
    }

    void TearDown() override {
        sender_.reset();
        runner_.reset();
        uploads_.reset();
        builder_.reset();
        engine_.reset();
        db_.reset();
        QueryPool::DestroyAll();
        server_.reset();
        demo_.reset();
    }

    std::string Shown() const {
        std::string all;
        for (const auto& s : box_.shown)
            all += s + " | ";
        return all;
    }
    int Local(const std::string& sql) {
        sync::Rows rows;
        return db_->Select(sql, rows) && !rows.empty() && !rows[0].empty() ? std::atoi(rows[0][0].c_str()) : -1;
    }
    std::string LocalText(const std::string& sql) {
        sync::Rows rows;
        return db_->Select(sql, rows) && !rows.empty() && !rows[0].empty() ? rows[0][0] : std::string("<none>");
    }
    std::string ServerText(const std::string& sql) {
        std::lock_guard lock(server_->Store().Mutex());
        auto st = server_->Store().Db().Prepare(sql);
        return st.Step() ? st.Text(0) : std::string("<none>");
    }

    std::unique_ptr<test::DemoData> demo_;
    std::filesystem::path dir_;
    SystemClock clock_;
    MapSettings settings_;
    MapProfile profile_;
    AgreeingBox box_;
    std::unique_ptr<server::ZevServer> server_;
    std::unique_ptr<sync::TabulaSyncDb> db_;
    std::unique_ptr<sync::SyncEngine> engine_;
    std::unique_ptr<sync::DatabaseBuilder> builder_;
    std::unique_ptr<sync::Uploads> uploads_;
    std::unique_ptr<sync::SyncRunner> runner_;
    std::unique_ptr<sync::OrderSender> sender_;
    int account_ = 0;
    int guide_ = 0;
};

TEST_F(OrderRoundTripTest, OrderTakenSentAndShownAmongOpenOrders) {
    OrderSettings settings;
    settings.reset.clearPar = false;
    OrderGuide guide(account_, guide_, settings);
    ASSERT_TRUE(guide.Load(0));
    ASSERT_GE(guide.Rows().size(), 2u);
    const int item = guide.Rows()[0].itemId;
    guide.SetCasesAndSingles(0, 2, 0);
    guide.SetUnits(1, 1);
    ASSERT_TRUE(guide.Save());

    OrderRules rules(settings, box_);
    OrderHeader header;
    ASSERT_TRUE(rules.Place(guide.Rows(), guide.HiddenRows(), {account_, 0, "L-1"}, header).placed) << Shown();
    ASSERT_EQ(header.lines.size(), 2u);
    header.deliveryDate = "12/24/2030";
    header.notes = OrderSaver::NotesForSave("Back door, it's fine", 0);
    header.warehouse = "1";
    header.shippingMethod = "1";
    OrderSaver saver(settings, box_);
    const int readyId = saver.Save(header, std::time(nullptr));
    ASSERT_GT(readyId, 0) << Shown();
    EXPECT_EQ(Local("select sum(CaseQTY) + sum(SingleQTY) from WorkOrderItems where AccountID = " +
                    std::to_string(account_)),
              0);

    ASSERT_TRUE(sender_->SendOrders(0, nullptr)) << Shown();
    EXPECT_EQ(Local("select count(*) from ReadyOrder"), 0);
    const std::string received = ServerText("select OrderID from ReceivedOrders where AccountID = " + std::to_string(account_));
    ASSERT_NE(received, "<none>");
    EXPECT_EQ(ServerText("select Notes from ReceivedOrders"), "Back door, it's fine");
    EXPECT_EQ(ServerText("select count(*) from ReceivedOrderLines"), "2");

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    const std::string invoice = "Z" + received;
    EXPECT_EQ(Local("select AccountID from OpenOrders where InvoiceNumber = '" + invoice + "'"), account_);
    EXPECT_EQ(Local("select ItemCount from OpenOrders where InvoiceNumber = '" + invoice + "'"), 2);
    EXPECT_EQ(Local("select QtyOrdered from OpenOrderItems where InvoiceNumber = '" + invoice +
                    "' and ItemID = " + std::to_string(item)),
              2);
    EXPECT_EQ(Local("select count(*) from OrderHistory where DistInvoice = '" + invoice + "'"), 1);
    // The guide stays reset after the synchronisation.
    EXPECT_EQ(Local("select sum(CaseQTY) + sum(SingleQTY) from WorkOrderItems where AccountID = " +
                    std::to_string(account_)),
              0);
}

TEST_F(OrderRoundTripTest, ChangedGuideKeepsItsChangesThroughUploadAndDownload) {
    OrderSettings settings;
    OrderGuide guide(account_, guide_, settings);
    ASSERT_TRUE(guide.Load(0));
    const std::size_t n = guide.Rows().size();
    ASSERT_GE(n, 3u);
    const int last = guide.Rows()[n - 1].itemId;
    const int first = guide.Rows()[0].itemId;
    guide.Move(n - 1, 0);
    guide.SetPar(1, 36);
    guide.Remove(n - 1);
    ASSERT_TRUE(guide.Save());
    EXPECT_EQ(Local("select Updated from WorkOrder where AccountID = " + std::to_string(account_)), 1);

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown(); // uploads the guide
    EXPECT_EQ(Local("select Updated from WorkOrder where AccountID = " + std::to_string(account_)), 0);
    ASSERT_TRUE(runner_->SyncRun(1, nullptr)) << Shown(); // everything downloaded again

    const std::string where = " from WorkOrderItems where AccountID = " + std::to_string(account_);
    EXPECT_EQ(Local("select count(*)" + where), static_cast<int>(n - 1));
    EXPECT_EQ(Local("select ItemID" + where + " and LineItemNumber = 1"), last);
    EXPECT_EQ(Local("select ItemID" + where + " and LineItemNumber = 2"), first);
    EXPECT_EQ(Local("select Par" + where + " and LineItemNumber = 2"), 36);
    EXPECT_EQ(Local("select max(LineItemNumber)" + where), static_cast<int>(n - 1));
}

} // namespace
