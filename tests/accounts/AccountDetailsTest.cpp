// The details screen's logic and the account editor over a real database:
// notes (the four-character rule, apostrophes, deleting by the second),
// labels in display case, and the editor's day rules and switches.
#include "Fakes.h"
#include "RawExec.h"
#include "TestDatabase.h"

#include "accounts/AccountDetails.h"
#include "accounts/AccountEditor.h"

#include <gtest/gtest.h>

namespace {

using zev::AccountDetails;
using zev::AccountEditor;
using zev::test::At;
using zev::test::ScriptedMessageBox;
using zev::test::TestDatabase;

class AccountDetailsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, ContactName, AltContactName, Address1, "
                            "Address2, City, State, Zip, Phone, Fax, ApptDays, DelivDays, AccountNumber, Email, "
                            "Comment1, Comment2, Updated) values (7, 'JOE''S WINE BAR', 'MARY O''NEIL', 'sam', "
                            "'1 MAIN ST', 'Suite 2', 'SPRINGFIELD', 'IL', '62701', '555-0100', '555-0101', '', "
                            "'YYYYYYY', 'A-7', 'joe@example.com', '  Pays cash  ', '', 0)"));
        ASSERT_TRUE(db.Exec("insert into DistributorInfo (DistributorID, DeliveryDays) values (1, 'NNYNYNN')"));
    }

    AccountDetails Details(AccountDetails::Switches s = {}) { return AccountDetails(s, messages, 0); }

    TestDatabase db;
    ScriptedMessageBox messages;
};

TEST_F(AccountDetailsTest, LabelsInDisplayCaseAndCommentsTrimmed)
{
    AccountDetails d = Details();
    ASSERT_TRUE(d.Load(7));
    EXPECT_EQ(d.Texts().companyName, "Joe's Wine Bar");
    EXPECT_EQ(d.Texts().contact1, "Mary O'Neil");
    EXPECT_EQ(d.Texts().contact2, "sam") << "text with lower case stays as it is";
    EXPECT_EQ(d.Texts().cityLine, "Springfield, Il 62701");
    EXPECT_EQ(d.Texts().comment1, "Pays cash");
    EXPECT_TRUE(d.Texts().comment2.empty());

    EXPECT_FALSE(d.Load(99));
    EXPECT_TRUE(d.Texts().companyName.empty()) << "an unknown account leaves the labels empty";
}

TEST_F(AccountDetailsTest, NoteNeedsFourCharacters)
{
    EXPECT_FALSE(AccountDetails::CanSaveNote("abc"));
    EXPECT_TRUE(AccountDetails::CanSaveNote("abcd"));
    EXPECT_FALSE(AccountDetails::CanSaveNote("\xC3\xA9t\xC3\xA9")) << "three characters in six bytes";
    AccountDetails d = Details();
    ASSERT_TRUE(d.Load(7));
    EXPECT_EQ(d.SaveNote("    ", At(2026, 3, 1)), AccountDetails::NoteResult::Empty);
    EXPECT_EQ(db.ScalarInt("select count(*) from DistributorRepNotes"), 0);
}

TEST_F(AccountDetailsTest, ApostropheStoredOnceAndShownSingle)
{
    AccountDetails d = Details();
    ASSERT_TRUE(d.Load(7));
    ASSERT_EQ(d.SaveNote("  Don't call before 10 ", At(2026, 3, 1, 9, 30, 15)), AccountDetails::NoteResult::Saved);
    ASSERT_EQ(d.Notes().size(), 1u);
    EXPECT_EQ(d.Notes()[0].comment, "Don't call before 10");
    EXPECT_EQ(db.Scalar("select Comment from DistributorRepNotes"), "Don't call before 10");
    EXPECT_EQ(db.ScalarInt("select Updated from DistributorRepNotes"), 1);

    AccountDetails again = Details();
    ASSERT_TRUE(again.Load(7));
    ASSERT_EQ(again.Notes().size(), 1u);
    EXPECT_EQ(again.Notes()[0].comment, "Don't call before 10");
    EXPECT_EQ(again.Notes()[0].entered, At(2026, 3, 1, 9, 30, 15)) << "read back to the second";
}

TEST_F(AccountDetailsTest, NewNoteGoesOnTopAndDeletingMatchesTheSecond)
{
    AccountDetails d = Details();
    ASSERT_TRUE(d.Load(7));
    ASSERT_EQ(d.SaveNote("first note", At(2026, 3, 1, 9, 0, 1)), AccountDetails::NoteResult::Saved);
    ASSERT_EQ(d.SaveNote("second note", At(2026, 3, 1, 9, 0, 2)), AccountDetails::NoteResult::Saved);
    EXPECT_EQ(d.Notes()[0].comment, "second note");

    ASSERT_TRUE(d.DeleteNote(At(2026, 3, 1, 9, 0, 1)));
    ASSERT_EQ(d.Notes().size(), 1u);
    EXPECT_EQ(db.ScalarInt("select Updated from DistributorRepNotes where Comment = 'first note'"), 2);
    EXPECT_EQ(db.ScalarInt("select Updated from DistributorRepNotes where Comment = 'second note'"), 1);
    ASSERT_TRUE(d.Load(7));
    ASSERT_EQ(d.Notes().size(), 1u) << "a deleted note no longer shows";
    EXPECT_EQ(d.Notes()[0].comment, "second note");
}

TEST_F(AccountDetailsTest, FailedNoteIsToldAndNotListed)
{
    ASSERT_TRUE(db.Exec("drop table DistributorRepNotes"));
    AccountDetails d = Details();
    ASSERT_TRUE(d.Load(7));
    EXPECT_EQ(d.SaveNote("lost note", At(2026, 3, 1)), AccountDetails::NoteResult::Failed);
    EXPECT_TRUE(d.Notes().empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].textId, 65033);
}

TEST_F(AccountDetailsTest, NoteDateWithTimeOnlyBySwitch)
{
    AccountDetails::Switches s;
    EXPECT_EQ(Details(s).NoteDateText(At(2026, 3, 4, 14, 5, 9)), "3/4/2026");
    s.noteTime = true;
    EXPECT_EQ(Details(s).NoteDateText(At(2026, 3, 4, 14, 5, 9)), "3/4/2026 14:5");
}

TEST_F(AccountDetailsTest, AttributesOnlyWithTheirSwitch)
{
    ASSERT_TRUE(db.Exec("insert into AccountAttributes values (7, 'Seats', '40')"));
    AccountDetails off = Details();
    ASSERT_TRUE(off.Load(7));
    EXPECT_TRUE(off.Attributes().empty());
    AccountDetails::Switches s;
    s.attributes = true;
    AccountDetails on = Details(s);
    ASSERT_TRUE(on.Load(7));
    ASSERT_EQ(on.Attributes().size(), 1u);
    EXPECT_EQ(on.Attributes()[0], "Seats: 40");
}

TEST_F(AccountDetailsTest, EditorKeepsOnlyTheDistributorsDeliveryDays)
{
    AccountEditor::Switches s;
    s.delivDaysLimited = true;
    AccountEditor editor(s, messages);
    auto data = editor.Load(7);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(AccountEditor::DayText(data->delivDays), "NNYNYNN");
    EXPECT_EQ(AccountEditor::DayText(data->apptDays), "NNNNNNN") << "empty ApptDays: no day checked";
    EXPECT_TRUE(editor.DelivDayEnabled(*data, 2));
    EXPECT_FALSE(editor.DelivDayEnabled(*data, 1));
    EXPECT_FALSE(AccountEditor(AccountEditor::Switches{}, messages).DelivDayEnabled(*data, 2))
        << "without byte 62 no delivery day can change";

    ASSERT_TRUE(editor.Save(*data));
    EXPECT_EQ(db.Scalar("select DelivDays from Accounts where AccountID = 7"), "NNYNYNN");
    EXPECT_EQ(db.Scalar("select ApptDays from Accounts where AccountID = 7"), "NNNNNNN");
}

TEST_F(AccountDetailsTest, ReadOnlyEditorStillRewritesAndMarks)
{
    AccountEditor editor(AccountEditor::Switches{}, messages);
    for (int f = 0; f < AccountEditor::kFields; ++f)
        EXPECT_FALSE(editor.Editable(static_cast<AccountEditor::Field>(f)));
    auto data = editor.Load(7);
    ASSERT_TRUE(data.has_value());
    ASSERT_TRUE(editor.Save(*data));
    EXPECT_EQ(db.Scalar("select CompanyName from Accounts where AccountID = 7"), "JOE'S WINE BAR");
    EXPECT_EQ(db.Scalar("select ContactName from Accounts where AccountID = 7"), "MARY O'NEIL");
    EXPECT_EQ(db.ScalarInt("select Updated from Accounts where AccountID = 7"), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccountDetailsTest, EditedTextsAreTrimmedAndQuotedSafely)
{
    AccountEditor editor(AccountEditor::Switches{}, messages);
    auto data = editor.Load(7);
    ASSERT_TRUE(data.has_value());
    data->companyName = "  O'Brien's '; drop table Accounts; --  ";
    data->apptDays[1] = data->apptDays[3] = true;
    ASSERT_TRUE(editor.Save(*data));
    EXPECT_EQ(db.Scalar("select CompanyName from Accounts where AccountID = 7"),
              "O'Brien's '; drop table Accounts; --");
    EXPECT_EQ(db.Scalar("select ApptDays from Accounts where AccountID = 7"), "NYNYNNN");
}

TEST_F(AccountDetailsTest, FailedEditLeavesTheAccountWhole)
{
    // The second statement cannot run: the first one's change must not stay
    // behind on its own.
    ASSERT_TRUE(zev::test::RawExec(db.Path(), "create trigger NoCity before update of City on Accounts begin select "
                                              "raise(abort, 'x'); end"));
    AccountEditor editor(AccountEditor::Switches{}, messages);
    zev::AccountEditData data;
    data.accountId = 7;
    data.companyName = "Changed";
    EXPECT_FALSE(editor.Save(data));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].textId, 65113);
    EXPECT_EQ(db.Scalar("select CompanyName from Accounts where AccountID = 7"), "JOE'S WINE BAR");
    EXPECT_EQ(db.ScalarInt("select Updated from Accounts where AccountID = 7"), 0);
}

} // namespace
