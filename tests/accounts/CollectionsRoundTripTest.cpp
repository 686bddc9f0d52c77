// Collections, deposits, backorder cancellations and messages against the
// reference server on a loopback port: what the representative records goes
// up once and the server's tables show it; a message the office sends
// arrives with the next synchronisation.
#include "tests/orders/DemoData.h"

#include "accounts/Backorders.h"
#include "accounts/MessageCenter.h"
#include "accounts/Receivables.h"
#include "app/core/Clock.h"
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

class CollectionsRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        demo_ = std::make_unique<test::DemoData>("collections");
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
        // The deposit button is on: a collection stays for the deposit after its upload.
        services.configByte = [](int offset) { return offset == 169 ? 1 : 0; };
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
    std::string ServerText(const std::string& sql) {
        std::lock_guard lock(server_->Store().Mutex());
        auto st = server_->Store().Db().Prepare(sql);
        return st.Step() ? st.Text(0) : std::string("<none>");
    }
    void ServerExec(const std::string& sql) {
        std::lock_guard lock(server_->Store().Mutex());
        server_->Store().Db().Prepare(sql).Run();
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
};

TEST_F(CollectionsRoundTripTest, CollectionAndDepositGoUpOnceAndShowInTheServersReceivables) {
    Receivables ar;
    ASSERT_TRUE(ar.Load(-1, true, clock_.Now()));
    std::size_t index = ar.Items().size();
    for (std::size_t i = 0; i < ar.Items().size() && index == ar.Items().size(); ++i)
        if (ar.Items()[i].OpenCents() > 2000)
            index = i;
    ASSERT_LT(index, ar.Items().size());
    const ARListItem item = ar.Items()[index];
    const std::string where =
        " from AR where AccountID = " + std::to_string(item.accountId) + " and InvoiceNo = '" + item.invoiceNo + "'";
    const std::string before = ServerText("select AmountCollectedTotal" + where);

    ASSERT_TRUE(ar.Collect(index, 1250, 1, "5521"));
    std::vector<DepositRow> rows;
    ASSERT_TRUE(ar.LoadDepositRows(rows));
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_TRUE(ar.Deposit(rows, "Slip 12 & 13", "First Bank"));

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_NEAR(std::stod(ServerText("select AmountCollectedTotal" + where)), std::stod(before) + 12.50, 0.001);
    EXPECT_EQ(ServerText("select LatestPaymentAmount" + where), "12.5");
    EXPECT_EQ(ServerText("select DepAttrib1" + where), "Slip 12 & 13");
    EXPECT_EQ(ServerText("select DepAttrib2" + where), "First Bank");
    EXPECT_EQ(Local("select count(*) from AR where Updated = 1 or Deposited = 1"), 0);

    // A second synchronisation sends nothing again.
    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_NEAR(std::stod(ServerText("select AmountCollectedTotal" + where)), std::stod(before) + 12.50, 0.001);
    EXPECT_EQ(ServerText("select count(*) from UploadFields F, Uploads U where F.UploadID = U.UploadID and "
                         "U.Page = 'updateInvoice' and F.Value = '" + item.invoiceNo + "'"),
              "1");
}

TEST_F(CollectionsRoundTripTest, BackorderCancellationArrivesAsARemovalOrder) {
    const int account = Local("select min(AccountID) from OpenOrders where TSOrderType in ('BO', 'MO', 'IN')");
    ASSERT_GT(account, 0);
    Backorders backorders({});
    std::vector<BackorderLine> lines;
    ASSERT_TRUE(backorders.LoadBackorderLines(account, lines));
    ASSERT_FALSE(lines.empty());
    ASSERT_EQ(backorders.SaveCancellation(account, {lines[0]}, clock_.Now()), Backorders::SaveResult::Saved);
    EXPECT_EQ(Local("select OrderType from ReadyOrder"), 3);

    ASSERT_TRUE(sender_->SendOrders(0, nullptr)) << Shown();
    EXPECT_EQ(Local("select count(*) from ReadyOrder"), 0);
    EXPECT_EQ(ServerText("select ODCText from ReceivedOrders where AccountID = " + std::to_string(account)),
              "Backorder Removal");
    EXPECT_EQ(ServerText("select LineComment from ReceivedOrderLines"), backorders.Key(lines[0]));
}

TEST_F(CollectionsRoundTripTest, ReplyReachesTheOfficeAndTheOfficesMessageArrives) {
    MessageCenter center;
    std::vector<MessageItem> inbox;
    ASSERT_TRUE(center.LoadInbox(100200, inbox));
    ASSERT_FALSE(inbox.empty());
    MessageItem message = inbox[0];
    ASSERT_TRUE(center.MarkRead(message));
    ASSERT_TRUE(center.Reply(message, "Can't make Friday, call me"));

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select ToID from Messages where Message = 'Can''t make Friday, call me'"),
              std::to_string(message.fromId));
    EXPECT_EQ(ServerText("select ToStatus from Messages where MessageID = " + std::to_string(message.messageId)), "2");

    ServerExec("insert into Messages (MessageID, FromID, FromStatus, FromName, ToID, ToStatus, Subject, Message, "
               "Updated, zev_rep) values (9001, 900100, 0, 'Pat Okafor', 100200, 0, 'Truck late', 'Deliveries "
               "after noon today', 0, '100200')");
    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    ASSERT_TRUE(center.LoadInbox(100200, inbox));
    bool found = false;
    for (const MessageItem& m : inbox)
        found = found || (m.messageId == 9001 && m.subject == "Truck late" && m.status == 0);
    EXPECT_TRUE(found);
}

} // namespace
