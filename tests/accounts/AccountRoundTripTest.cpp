// The account screens' records end to end, without windows, against the
// reference server on a loopback port: an edited account, a new and a
// deleted note, a taken survey and a filled form go up with a
// synchronisation, the server's master tables hold them, and the downloads
// that follow show each exactly once.
#include "tests/orders/DemoData.h"

#include "accounts/AccountDetails.h"
#include "accounts/AccountEditor.h"
#include "accounts/FormFiller.h"
#include "accounts/SurveyRunner.h"
#include "app/core/Clock.h"
#include "server/ZevServer.h"
#include "sync/DatabaseBuilder.h"
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

class RecordingBox : public IMessageBox {
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

class AccountRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override {
        demo_ = std::make_unique<test::DemoData>("accounts");
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
        ASSERT_TRUE(db_->OpenAdmin());
        ASSERT_EQ(builder_->RebuildTable("ALL"), 0);
        ASSERT_TRUE(runner_->SyncRun(1, nullptr)) << Shown();
        account_ = Local("select min(AccountID) from Accounts");
        ASSERT_GT(account_, 0) << Shown();
    }

    void TearDown() override {
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
    std::string Account() const { return std::to_string(account_); }

    std::unique_ptr<test::DemoData> demo_;
    std::filesystem::path dir_;
    SystemClock clock_;
    MapSettings settings_;
    MapProfile profile_;
    RecordingBox box_;
    std::unique_ptr<server::ZevServer> server_;
    std::unique_ptr<sync::TabulaSyncDb> db_;
    std::unique_ptr<sync::SyncEngine> engine_;
    std::unique_ptr<sync::DatabaseBuilder> builder_;
    std::unique_ptr<sync::Uploads> uploads_;
    std::unique_ptr<sync::SyncRunner> runner_;
    int account_ = 0;
};

TEST_F(AccountRoundTripTest, EditedAccountComesBackFromTheMasterRow) {
    AccountEditor::Switches all;
    all.editable.fill(true);
    AccountEditor editor(all, box_);
    auto data = editor.Load(account_);
    ASSERT_TRUE(data.has_value());
    data->companyName = "Harbor & Vine's Bistro";
    data->phone = "555-0199";
    data->apptDays = {false, true, false, false, false, true, false};
    ASSERT_TRUE(editor.Save(*data)) << Shown();

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select CompanyName from Accounts where AccountID = " + Account()), "Harbor & Vine's Bistro");
    EXPECT_EQ(ServerText("select ApptDays from Accounts where AccountID = " + Account()), "NYNNNYN");
    ASSERT_TRUE(runner_->SyncRun(1, nullptr)) << Shown();
    EXPECT_EQ(LocalText("select CompanyName from Accounts where AccountID = " + Account()), "Harbor & Vine's Bistro");
    EXPECT_EQ(LocalText("select Phone from Accounts where AccountID = " + Account()), "555-0199");
    EXPECT_EQ(Local("select Updated from Accounts where AccountID = " + Account()), 0);
}

TEST_F(AccountRoundTripTest, NewNoteReachesTheServerAndStaysSingle) {
    AccountDetails details(AccountDetails::Switches{}, box_);
    ASSERT_TRUE(details.Load(account_));
    const std::size_t before = details.Notes().size();
    const std::time_t now = std::time(nullptr);
    ASSERT_EQ(details.SaveNote("Don't call before 10 & ask for Sam", now), AccountDetails::NoteResult::Saved);
    ASSERT_EQ(details.SaveNote("Wrong account", now + 1), AccountDetails::NoteResult::Saved);
    ASSERT_TRUE(details.DeleteNote(now + 1));

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select count(*) from DistributorRepNotes where Comment = 'Don''t call before 10 & ask for "
                         "Sam' and zev_rep = '100200' and AccountID = " + Account()),
              "1");
    EXPECT_EQ(ServerText("select count(*) from DistributorRepNotes where Comment = 'Wrong account'"), "0");
    ASSERT_TRUE(details.Load(account_));
    EXPECT_EQ(details.Notes().size(), before + 1) << "an update does not bring the note a second time";
    EXPECT_EQ(Local("select count(*) from DistributorRepNotes where Comment = 'Wrong account'"), 0)
        << "the deleted note does not come back";

    ASSERT_TRUE(runner_->SyncRun(1, nullptr)) << Shown();
    ASSERT_TRUE(details.Load(account_));
    EXPECT_EQ(details.Notes().size(), before + 1);
    EXPECT_EQ(Local("select count(*) from DistributorRepNotes where Comment = 'Don''t call before 10 & ask for Sam'"),
              1);

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select count(*) from DistributorRepNotes where Comment like 'Don''t call%'"), "1");
}

TEST_F(AccountRoundTripTest, TakenSurveyIsStoredByTheServerAndLeavesTheLaptop) {
    const int survey = Local("select min(SurveyID) from Surveys where SurveyType = 0");
    ASSERT_GT(survey, 0);
    SurveyRunner runner(box_, clock_);
    ASSERT_TRUE(runner.Open(survey, account_));
    for (const SurveyQuestion& q : runner.Questions()) {
        std::string answer;
        if (q.type == SurveyQuestion::Choice)
            answer = q.options.front();
        else if (q.type == SurveyQuestion::Checks)
            answer = SurveyRunner::CheckAnswer(std::vector<bool>(q.options.size(), true));
        else if (q.type == SurveyQuestion::Date)
            answer = "02/29/2028";
        else
            answer = "100% & more";
        const auto step = runner.Next(answer, q.notes ? "seen it" : "");
        ASSERT_NE(step, SurveyRunner::Step::Stayed) << Shown();
    }
    ASSERT_EQ(Local("select count(*) from DoneSurveys"), 1);

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(Local("select count(*) from DoneSurveys"), 0);
    EXPECT_EQ(Local("select count(*) from Answers"), 0);
    EXPECT_EQ(ServerText("select AccountID from DoneSurveys where zev_rep = '100200' and SurveyID = " +
                         std::to_string(survey)),
              Account());
    EXPECT_EQ(ServerText("select count(*) from Answers"), std::to_string(runner.Questions().size()));
    EXPECT_EQ(ServerText("select count(*) from Answers where Answer = '100% & more'"), "1");
    EXPECT_EQ(ServerText("select count(*) from Answers where Answer = '02/29/2028'"), "1");
}

TEST_F(AccountRoundTripTest, FilledFormComesBackFromTheMasterTable) {
    const auto forms = FormFiller::Forms();
    ASSERT_FALSE(forms.empty());
    FormFiller filler(box_, account_);
    filler.Select(forms[0].formId);
    ASSERT_GE(filler.Rows().size(), 2u);
    filler.SetAnswer(1, "Tuesdays & Thursdays");
    ASSERT_TRUE(filler.Save());
    const std::string where = " from FormsFilled where FormID = " + std::to_string(forms[0].formId) +
                              " and AccountID = " + Account() +
                              " and QuestionID = " + std::to_string(filler.Rows()[1].questionId);

    ASSERT_TRUE(runner_->SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select Answer" + where), "Tuesdays & Thursdays");
    EXPECT_EQ(Local("select Updated" + where), 0);
    ASSERT_TRUE(runner_->SyncRun(1, nullptr)) << Shown();
    EXPECT_EQ(LocalText("select Answer" + where), "Tuesdays & Thursdays");
    EXPECT_EQ(Local("select count(*)" + where), 1);
}

} // namespace
