// Taking surveys and filling forms over a real database: every question kind,
// the required rule, backing out, DoneID numbering, the survey lists, and the
// form list's save and leave rules.
#include "Fakes.h"
#include "RawExec.h"
#include "TestDatabase.h"

#include "accounts/FormFiller.h"
#include "accounts/SurveyList.h"
#include "accounts/SurveyRunner.h"

#include <gtest/gtest.h>

namespace {

using zev::FormFiller;
using zev::MbResult;
using zev::SurveyList;
using zev::SurveyRunner;
using Step = zev::SurveyRunner::Step;
using zev::test::At;
using zev::test::FixedClock;
using zev::test::ScriptedMessageBox;
using zev::test::TestDatabase;

class SurveyRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName) values (7, 'CORNER STORE')"));
        ASSERT_TRUE(db.Exec("insert into Surveys values (1, 'Shelf Check', 'Core items', 0, 0)"));
        ASSERT_TRUE(db.Exec("insert into Surveys values (2, 'Office only', '', 1, 0)"));
        ASSERT_TRUE(db.Exec("insert into Surveys values (3, 'At the account', '', 2, 0)"));
        ASSERT_TRUE(db.Exec("insert into Surveys values (4, 'Poster', '', 0, 1)"));
        ASSERT_TRUE(db.Exec("insert into Surveys values (5, 'Empty', '', 0, 0)"));
        ASSERT_TRUE(db.Exec("insert into Questions values (1, 1, 2, 'On the shelf?', 'Yes|No', 1, 0)"));
        ASSERT_TRUE(db.Exec("insert into Questions values (1, 2, 3, 'Displays', 'End cap|Floor|Window', 0, 1)"));
        ASSERT_TRUE(db.Exec("insert into Questions values (1, 3, 1, 'Owner''s remark', '', 0, 0)"));
        ASSERT_TRUE(db.Exec("insert into Questions values (1, 4, 4, 'Next reset', '', 0, 0)"));
        ASSERT_TRUE(db.Exec("insert into Questions values (4, 1, 1, 'Headline', '', 0, 0)"));
    }

    // Answers all four pages of survey 1.
    void TakeShelfCheck(SurveyRunner& s, const std::string& date = "03/15/2026")
    {
        ASSERT_EQ(s.Next("Yes", ""), Step::Moved);
        ASSERT_EQ(s.Next(SurveyRunner::CheckAnswer({true, false, true}), "cold box too"), Step::Moved);
        ASSERT_EQ(s.Next("Buyer's away & back Monday", ""), Step::Moved);
        ASSERT_EQ(s.Next(date, ""), Step::Finished);
    }

    int Count(const std::string& table) { return db.ScalarInt("select count(*) from " + table); }

    TestDatabase db;
    ScriptedMessageBox messages;
    FixedClock clock{At(2026, 3, 2, 10, 0, 0)};
};

TEST_F(SurveyRunnerTest, TakenSurveyIsStoredWithEveryQuestionKind)
{
    SurveyRunner s(messages, clock);
    ASSERT_TRUE(s.Open(1, 7));
    EXPECT_EQ(s.Title(), "Shelf Check");
    ASSERT_EQ(s.Questions().size(), 4u);
    EXPECT_EQ(s.Questions()[1].options.size(), 3u);
    EXPECT_EQ(s.Questions()[2].text, "Owner's remark");
    TakeShelfCheck(s);

    EXPECT_EQ(s.DoneId(), 1) << "the first survey ever taken";
    EXPECT_EQ(db.ScalarInt("select Completed from DoneSurveys where DoneID = 1"), 1);
    EXPECT_EQ(db.ScalarInt("select AccountID from DoneSurveys where DoneID = 1"), 7);
    EXPECT_EQ(db.Scalar("select StartTime from DoneSurveys where DoneID = 1").substr(0, 16), "2026-03-02 10:00");
    EXPECT_NE(db.Scalar("select EndTime from DoneSurveys where DoneID = 1"), "");
    EXPECT_EQ(db.Scalar("select Answer from Answers where DoneID = 1 and QuestionID = 1"), "Yes");
    EXPECT_EQ(db.Scalar("select Answer from Answers where DoneID = 1 and QuestionID = 2"), "101");
    EXPECT_EQ(db.Scalar("select Comment from Answers where DoneID = 1 and QuestionID = 2"), "cold box too");
    EXPECT_EQ(db.Scalar("select Answer from Answers where DoneID = 1 and QuestionID = 3"),
              "Buyer's away & back Monday");
    EXPECT_EQ(db.Scalar("select Answer from Answers where DoneID = 1 and QuestionID = 4"), "03/15/2026");
    EXPECT_EQ(db.ScalarInt("select Type from Answers where DoneID = 1 and QuestionID = 2"), 3);

    SurveyRunner second(messages, clock);
    ASSERT_TRUE(second.Open(1, 7));
    TakeShelfCheck(second);
    EXPECT_EQ(second.DoneId(), 2);
}

TEST_F(SurveyRunnerTest, RequiredAnswerKeepsThePage)
{
    SurveyRunner s(messages, clock);
    ASSERT_TRUE(s.Open(1, 7));
    EXPECT_EQ(s.Next("   ", ""), Step::Stayed);
    EXPECT_EQ(s.Page(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "You are required to provide an answer to this question before proceeding");
}

TEST_F(SurveyRunnerTest, BackingOutOfTheFirstPageLeavesNothing)
{
    SurveyRunner s(messages, clock);
    ASSERT_TRUE(s.Open(1, 7));
    ASSERT_EQ(s.Next("No", ""), Step::Moved);
    EXPECT_EQ(s.Back(), Step::Moved);
    EXPECT_EQ(s.CurrentAnswer(), "No") << "the answer given is shown again";
    EXPECT_EQ(s.Back(), Step::Cancelled);
    EXPECT_EQ(Count("DoneSurveys"), 0);
    EXPECT_EQ(Count("Answers"), 0);
}

TEST_F(SurveyRunnerTest, LeapDayOnlyInLeapYears)
{
    EXPECT_TRUE(SurveyRunner::IsCalendarDate(2024, 2, 29));
    EXPECT_TRUE(SurveyRunner::IsCalendarDate(2000, 2, 29));
    EXPECT_FALSE(SurveyRunner::IsCalendarDate(2023, 2, 29));
    EXPECT_FALSE(SurveyRunner::IsCalendarDate(1900, 2, 29));
    EXPECT_FALSE(SurveyRunner::IsCalendarDate(2024, 4, 31));
    EXPECT_FALSE(SurveyRunner::IsCalendarDate(2024, 13, 1));
    EXPECT_EQ(SurveyRunner::DateAnswer(2024, 2, 9), "02/09/2024");

    SurveyRunner s(messages, clock);
    ASSERT_TRUE(s.Open(1, 7));
    ASSERT_EQ(s.Next("Yes", ""), Step::Moved);
    ASSERT_EQ(s.Next("000", ""), Step::Moved);
    ASSERT_EQ(s.Next("", ""), Step::Moved);
    EXPECT_EQ(s.Next("02/29/2023", ""), Step::Stayed);
    EXPECT_EQ(Count("DoneSurveys"), 0);
    EXPECT_EQ(s.Next("02/29/2024", ""), Step::Finished);
}

TEST_F(SurveyRunnerTest, ChecksRoundTripAndNotesOnlyWhereOffered)
{
    EXPECT_EQ(SurveyRunner::ParseChecks("101", 3), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(SurveyRunner::ParseChecks("1", 3), (std::vector<bool>{true, false, false}));
    SurveyRunner s(messages, clock);
    ASSERT_TRUE(s.Open(1, 7));
    ASSERT_EQ(s.Next("Yes", "not asked for"), Step::Moved);
    ASSERT_EQ(s.Next("010", ""), Step::Moved);
    ASSERT_EQ(s.Next("", ""), Step::Moved);
    ASSERT_EQ(s.Next("", ""), Step::Finished);
    EXPECT_EQ(db.Scalar("select Comment from Answers where QuestionID = 1"), "");
}

TEST_F(SurveyRunnerTest, ModifyingABuiltItemUpdatesItsAnswers)
{
    SurveyRunner build(messages, clock);
    ASSERT_TRUE(build.Open(4, 7));
    ASSERT_EQ(build.Next("Summer sale", ""), Step::Finished);
    const int doneId = build.DoneId();

    SurveyRunner modify(messages, clock);
    ASSERT_TRUE(modify.Open(4, 7, doneId));
    EXPECT_EQ(modify.CurrentAnswer(), "Summer sale");
    EXPECT_EQ(modify.Back(), Step::Cancelled);
    EXPECT_EQ(Count("DoneSurveys"), 1) << "backing out of a modification keeps the item";
    ASSERT_TRUE(modify.Open(4, 7, doneId));
    ASSERT_EQ(modify.Next("Autumn sale", ""), Step::Finished);
    EXPECT_EQ(Count("DoneSurveys"), 1);
    EXPECT_EQ(db.Scalar("select Answer from Answers where DoneID = " + std::to_string(doneId)), "Autumn sale");

    ASSERT_EQ(SurveyList::BuiltItems(7).size(), 1u);
    EXPECT_EQ(SurveyList::BuiltItems(7)[0].surveyName, "Poster");
    ASSERT_TRUE(SurveyList::Remove(doneId));
    EXPECT_EQ(Count("DoneSurveys"), 0);
    EXPECT_EQ(Count("Answers"), 0);
}

TEST_F(SurveyRunnerTest, SurveyWithoutQuestionsHasNoPagesAndStoresNothing)
{
    SurveyRunner s(messages, clock);
    ASSERT_TRUE(s.Open(5, 7));
    EXPECT_FALSE(s.HasPages());
    EXPECT_EQ(s.Next("", ""), Step::Stayed);
    EXPECT_EQ(s.Back(), Step::Cancelled);
    EXPECT_EQ(Count("DoneSurveys"), 0);
    EXPECT_FALSE(s.Open(99, 7));
}

TEST_F(SurveyRunnerTest, ListsFollowAvailabilityAndNameTheAccount)
{
    auto names = [](const std::vector<zev::SurveyEntry>& rows) {
        std::vector<int> ids;
        for (const auto& r : rows)
            ids.push_back(r.surveyId);
        return ids;
    };
    EXPECT_EQ(names(SurveyList::Available(true)), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(names(SurveyList::Available(false)), (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(names(SurveyList::CustomItems()), (std::vector<int>{4}));

    SurveyRunner s(messages, clock);
    ASSERT_TRUE(s.Open(1, 7));
    TakeShelfCheck(s);
    SurveyRunner custom(messages, clock);
    ASSERT_TRUE(custom.Open(4, 7));
    ASSERT_EQ(custom.Next("x", ""), Step::Finished);
    const auto done = SurveyList::Completed();
    ASSERT_EQ(done.size(), 1u) << "custom items are not among the completed surveys";
    EXPECT_EQ(done[0].accountName, "Corner Store");
    EXPECT_EQ(done[0].surveyName, "Shelf Check");
}

class FormFillerTest : public SurveyRunnerTest {
protected:
    void SetUp() override
    {
        SurveyRunnerTest::SetUp();
        ASSERT_TRUE(db.Exec("insert into Forms values (1, 'Profile')"));
        ASSERT_TRUE(db.Exec("insert into Forms values (2, 'Credit')"));
        ASSERT_TRUE(db.Exec("insert into FormQuestions values (1, 1, 'Buyer')"));
        ASSERT_TRUE(db.Exec("insert into FormQuestions values (1, 2, 'Dock hours')"));
        ASSERT_TRUE(db.Exec("insert into FormsFilled values (1, 7, 0, 2, '6-10')"));
        ASSERT_TRUE(db.Exec("insert into FormsFilled values (1, 8, 0, 1, 'other account')"));
    }
};

TEST_F(FormFillerTest, AnswersOfTheAccountFillTheirRows)
{
    EXPECT_EQ(FormFiller::Forms().size(), 2u);
    FormFiller f(messages, 7);
    f.Select(1);
    ASSERT_EQ(f.Rows().size(), 2u);
    EXPECT_EQ(f.Rows()[0].answer, "");
    EXPECT_EQ(f.Rows()[1].answer, "6-10");
    EXPECT_FALSE(f.Changed());
}

TEST_F(FormFillerTest, SaveRewritesOnlyChangedAnswersMarkedForUpload)
{
    FormFiller f(messages, 7);
    f.Select(1);
    f.SetAnswer(0, "Ann O'Hara");
    EXPECT_TRUE(f.Changed());
    ASSERT_TRUE(f.Save());
    EXPECT_FALSE(f.Changed());
    EXPECT_EQ(db.Scalar("select Answer from FormsFilled where FormID = 1 and AccountID = 7 and QuestionID = 1"),
              "Ann O'Hara");
    EXPECT_EQ(db.ScalarInt("select Updated from FormsFilled where AccountID = 7 and QuestionID = 1"), 1);
    EXPECT_EQ(db.ScalarInt("select Updated from FormsFilled where AccountID = 7 and QuestionID = 2"), 0);
    EXPECT_EQ(db.ScalarInt("select count(*) from FormsFilled where AccountID = 7"), 2);
}

TEST_F(FormFillerTest, LeavingWithChangesAsksYesNoCancel)
{
    FormFiller f(messages, 7);
    f.Select(1);
    f.SetAnswer(0, "Kim");
    messages.answers = {MbResult::Cancel};
    EXPECT_FALSE(f.ConfirmLeave());
    EXPECT_TRUE(f.Changed());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, FormFiller::kSaveQuestion);
    EXPECT_EQ(messages.shown[0].buttons, zev::MbButtons::YesNoCancel);

    messages.answers = {MbResult::No};
    EXPECT_TRUE(f.ConfirmLeave());
    EXPECT_EQ(db.ScalarInt("select count(*) from FormsFilled where AccountID = 7 and QuestionID = 1"), 0);

    f.Select(1);
    f.SetAnswer(0, "Kim");
    messages.answers = {MbResult::Yes};
    EXPECT_TRUE(f.ConfirmLeave());
    EXPECT_EQ(db.Scalar("select Answer from FormsFilled where AccountID = 7 and QuestionID = 1"), "Kim");
}

TEST_F(FormFillerTest, FailedSaveKeepsEverythingAsItWas)
{
    // A trigger refuses the second insert: the first answer must not stay.
    ASSERT_TRUE(zev::test::RawExec(db.Path(), "create trigger Refuse before insert on FormsFilled when "
                                              "new.QuestionID = 2 begin select raise(abort, 'refused'); end"));
    FormFiller f(messages, 7);
    f.Select(1);
    f.SetAnswer(0, "Kim");
    f.SetAnswer(1, "7-11");
    EXPECT_FALSE(f.Save());
    EXPECT_TRUE(f.Changed());
    EXPECT_EQ(db.ScalarInt("select count(*) from FormsFilled where AccountID = 7 and QuestionID = 1"), 0);
    EXPECT_EQ(db.Scalar("select Answer from FormsFilled where AccountID = 7 and QuestionID = 2"), "6-10");
}

} // namespace
