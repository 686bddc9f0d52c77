// The account screens' records end to end, without windows, against the
// reference server on a loopback port: an edited account, a new and a
// deleted note, a taken survey and a filled form go up with a
// synchronisation, the server's master tables hold them, and the downloads
// that follow show each exactly once.
#include "tests/orders/DemoClient.h"

#include "accounts/AccountDetails.h"
#include "accounts/AccountEditor.h"
#include "accounts/FormFiller.h"
#include "accounts/SurveyRunner.h"
#include "base/Clock.h"
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

class AccountRoundTripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_client = std::make_unique<test::DemoClient>("accounts");
        ASSERT_TRUE(m_client->Started());
        ASSERT_TRUE(m_client->Download()) << Shown();
        m_account = Local("select min(AccountID) from Accounts");
        ASSERT_GT(m_account, 0) << Shown();
    }
    void TearDown() override { m_client.reset(); }

    std::string Shown() const { return m_client->Shown(); }
    int Local(const std::string& sql) { return m_client->Local(sql); }
    std::string LocalText(const std::string& sql) { return m_client->LocalText(sql); }
    std::string ServerText(const std::string& sql) { return m_client->ServerText(sql); }
    void ServerExec(const std::string& sql) { m_client->ServerExec(sql); }
    sync::SyncRunner& Runner() { return m_client->stack->Runner(); }
    std::string Account() const { return std::to_string(m_account); }

    std::unique_ptr<test::DemoClient> m_client;
    int m_account = 0;
};

TEST_F(AccountRoundTripTest, EditedAccountComesBackFromTheMasterRow)
{
    AccountEditor::Switches all;
    all.editable.fill(true);
    AccountEditor editor(all, m_client->box);
    auto data = editor.Load(m_account);
    ASSERT_TRUE(data.has_value());
    data->companyName = "Harbor & Vine's Bistro";
    data->phone = "555-0199";
    data->apptDays = {false, true, false, false, false, true, false};
    ASSERT_TRUE(editor.Save(*data)) << Shown();

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select CompanyName from Accounts where AccountID = " + Account()), "Harbor & Vine's Bistro");
    EXPECT_EQ(ServerText("select ApptDays from Accounts where AccountID = " + Account()), "NYNNNYN");
    ASSERT_TRUE(Runner().SyncRun(1, nullptr)) << Shown();
    EXPECT_EQ(LocalText("select CompanyName from Accounts where AccountID = " + Account()), "Harbor & Vine's Bistro");
    EXPECT_EQ(LocalText("select Phone from Accounts where AccountID = " + Account()), "555-0199");
    EXPECT_EQ(Local("select Updated from Accounts where AccountID = " + Account()), 0);
}

TEST_F(AccountRoundTripTest, NewNoteReachesTheServerAndStaysSingle)
{
    AccountDetails details(AccountDetails::Switches{}, m_client->box);
    ASSERT_TRUE(details.Load(m_account));
    const std::size_t before = details.Notes().size();
    const std::time_t now = std::time(nullptr);
    ASSERT_EQ(details.SaveNote("Don't call before 10 & ask for Sam", now), AccountDetails::NoteResult::Saved);
    ASSERT_EQ(details.SaveNote("Wrong account", now + 1), AccountDetails::NoteResult::Saved);
    ASSERT_TRUE(details.DeleteNote(now + 1));

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select count(*) from DistributorRepNotes where Comment = 'Don''t call before 10 & ask for "
                         "Sam' and zev_rep = '100200' and AccountID = " +
                         Account()),
              "1");
    EXPECT_EQ(ServerText("select count(*) from DistributorRepNotes where Comment = 'Wrong account'"), "0");
    ASSERT_TRUE(details.Load(m_account));
    EXPECT_EQ(details.Notes().size(), before + 1) << "an update does not bring the note a second time";
    EXPECT_EQ(Local("select count(*) from DistributorRepNotes where Comment = 'Wrong account'"), 0)
        << "the deleted note does not come back";

    ASSERT_TRUE(Runner().SyncRun(1, nullptr)) << Shown();
    ASSERT_TRUE(details.Load(m_account));
    EXPECT_EQ(details.Notes().size(), before + 1);
    EXPECT_EQ(Local("select count(*) from DistributorRepNotes where Comment = 'Don''t call before 10 & ask for Sam'"),
              1);

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select count(*) from DistributorRepNotes where Comment like 'Don''t call%'"), "1");
}

TEST_F(AccountRoundTripTest, TakenSurveyIsStoredByTheServerAndLeavesTheLaptop)
{
    const int survey = Local("select min(SurveyID) from Surveys where SurveyType = 0");
    ASSERT_GT(survey, 0);
    SurveyRunner runner(m_client->box, m_client->clock);
    ASSERT_TRUE(runner.Open(survey, m_account));
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

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(Local("select count(*) from DoneSurveys"), 0);
    EXPECT_EQ(Local("select count(*) from Answers"), 0);
    EXPECT_EQ(ServerText("select AccountID from DoneSurveys where zev_rep = '100200' and SurveyID = " +
                         std::to_string(survey)),
              Account());
    EXPECT_EQ(ServerText("select count(*) from Answers"), std::to_string(runner.Questions().size()));
    EXPECT_EQ(ServerText("select count(*) from Answers where Answer = '100% & more'"), "1");
    EXPECT_EQ(ServerText("select count(*) from Answers where Answer = '02/29/2028'"), "1");
}

TEST_F(AccountRoundTripTest, FilledFormComesBackFromTheMasterTable)
{
    const auto forms = FormFiller::Forms();
    ASSERT_FALSE(forms.empty());
    FormFiller filler(m_client->box, m_account);
    filler.Select(forms[0].formId);
    ASSERT_GE(filler.Rows().size(), 2u);
    filler.SetAnswer(1, "Tuesdays & Thursdays");
    ASSERT_TRUE(filler.Save());
    const std::string where = " from FormsFilled where FormID = " + std::to_string(forms[0].formId) +
                              " and AccountID = " + Account() +
                              " and QuestionID = " + std::to_string(filler.Rows()[1].questionId);

    ASSERT_TRUE(Runner().SyncRun(2, nullptr)) << Shown();
    EXPECT_EQ(ServerText("select Answer" + where), "Tuesdays & Thursdays");
    EXPECT_EQ(Local("select Updated" + where), 0);
    ASSERT_TRUE(Runner().SyncRun(1, nullptr)) << Shown();
    EXPECT_EQ(LocalText("select Answer" + where), "Tuesdays & Thursdays");
    EXPECT_EQ(Local("select count(*)" + where), 1);
}

} // namespace
