// The account details screen, the account editor, the survey screen with its
// step-by-step dialog, and the forms dialog, over a real SQLite database.
#include "TestDatabase.h"
#include "accounts/views/CAccountDetailsView.h"
#include "accounts/views/CEditAccountDeliveryPage.h"
#include "accounts/views/CEditAccountGeneral.h"
#include "accounts/views/CEditAccountInfo.h"
#include "accounts/views/CFormsDlg.h"
#include "accounts/views/CSurveyDlg.h"
#include "accounts/views/CSurveyView.h"
#include "accounts/views/FormAnswersModel.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "tests/accounts/Fakes.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace cfg = zev::cfg;

class AccountScreensTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    std::unique_ptr<zev::test::FixedClock> clock;
    zev::CurrentAccount current;

    zev::ZevConfig& Config() { return host->app.settings.config; }
    zev::AccountsViewContext Context() { return {current, {}, {}, {}, clock.get()}; }

    template <typename View> std::unique_ptr<View> Open()
    {
        auto view = std::make_unique<View>(*host, Context());
        view->resize(900, 600);
        view->InitialUpdate();
        view->show();
        return view;
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        clock = std::make_unique<zev::test::FixedClock>(zev::test::At(2026, 3, 4, 10, 0, 5));
        current = zev::CurrentAccount{};
        current.accountId = 7;
        QVERIFY(db->Exec("insert into Accounts (AccountID, CompanyName, ContactName, City, State, Zip, Phone, Fax, "
                         "ApptDays, DelivDays, Comment1, Updated) values (7, 'CORNER STORE', 'Pat', 'Town', 'ST', "
                         "'12345', '555-0100', '555-0101', 'NYNNNNN', 'YYYYYYY', '', 0)"));
        QVERIFY(db->Exec("insert into DistributorInfo (DistributorID, DeliveryDays) values (1, 'NNYNYNN')"));
    }

    void cleanup()
    {
        host.reset();
        dir.reset();
        db.reset();
    }

    void detailsShowTheAccountAndFollowTheSwitches()
    {
        auto view = Open<CAccountDetailsView>();
        QCOMPARE(host->title, std::string("#11"));
        QCOMPARE(view->Label(CAccountDetailsView::kCompanyName)->text(), QStringLiteral("Corner Store"));
        QCOMPARE(view->Label(CAccountDetailsView::kCityLine)->text(), QStringLiteral("Town, ST 12345"));
        QVERIFY(view->Label(CAccountDetailsView::kFax)->isHidden());
        QVERIFY(view->Label(CAccountDetailsView::kComment1)->isHidden());
        QVERIFY(view->Button(CAccountDetailsView::kEditAccount)->isHidden());
        QVERIFY(view->Button(CAccountDetailsView::kForms)->isHidden());
        QVERIFY(view->AttributeList()->isHidden());

        Config().SetByte(cfg::kFaxShown, 1);
        Config().SetByte(cfg::kEditAccount, 1);
        Config().SetByte(cfg::kAccountForms, 1);
        view = Open<CAccountDetailsView>();
        QVERIFY(!view->Label(CAccountDetailsView::kFax)->isHidden());
        QVERIFY(!view->Button(CAccountDetailsView::kEditAccount)->isHidden());
        QVERIFY(!view->Button(CAccountDetailsView::kForms)->isHidden());
    }

    void noteButtonsFollowTheTextAndTheSelection()
    {
        auto view = Open<CAccountDetailsView>();
        QPushButton* save = view->Button(CAccountDetailsView::kNoteSave);
        QPushButton* remove = view->Button(CAccountDetailsView::kNoteDelete);
        QVERIFY(!save->isEnabled());
        QVERIFY(!remove->isEnabled());
        QTest::keyClicks(view->NoteEdit(), QStringLiteral("Don"));
        QVERIFY(!save->isEnabled());
        QTest::keyClicks(view->NoteEdit(), QStringLiteral("'t call before 10"));
        QVERIFY(save->isEnabled());
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(view->NoteEdit()->text().isEmpty());
        QCOMPARE(view->Notes()->Model()->rowCount(), 1);
        QCOMPARE(view->Notes()->Model()->Cell(0, 1), QStringLiteral("Don't call before 10"));
        QCOMPARE(view->Notes()->Model()->Cell(0, 0), QStringLiteral("3/4/2026"));
        QVERIFY(!remove->isEnabled());

        view->Notes()->selectRow(0);
        QVERIFY(remove->isEnabled());
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(view->Notes()->Model()->rowCount(), 0);
        QCOMPARE(db->ScalarInt("select Updated from DistributorRepNotes"), 2);
    }

    void editorFollowsTheSwitchesAndSaves()
    {
        Config().SetByte(cfg::kDeliveryDaysShown, 1);
        Config().SetByte(cfg::kDeliveryDaysLimited, 1);
        Config().SetByte(cfg::kEditCity, 1);
        zev::test::ScriptedMessageBox messages;
        const zev::AccountEditor editor(zev::AccountEditor::Switches::FromConfig(Config()), messages);
        auto data = editor.Load(7);
        QVERIFY(data.has_value());
        CEditAccountInfo sheet(editor, *data);
        QVERIFY(sheet.General()->Field(zev::AccountEditor::CompanyName)->isReadOnly());
        QVERIFY(!sheet.Delivery()->Field(zev::AccountEditor::City)->isReadOnly());
        QVERIFY(sheet.Delivery()->ApptDay(1)->isChecked());
        for (int day = 0; day < 7; ++day) {
            const bool tuesdayOrThursday = day == 2 || day == 4;
            QCOMPARE(sheet.Delivery()->DelivDay(day)->isChecked(), tuesdayOrThursday);
            QCOMPARE(sheet.Delivery()->DelivDay(day)->isEnabled(), tuesdayOrThursday);
        }
        sheet.Delivery()->Field(zev::AccountEditor::City)->setText(QStringLiteral("Newtown"));
        sheet.Delivery()->DelivDay(4)->setChecked(false);
        QVERIFY(editor.Save(sheet.Data()));
        QCOMPARE(db->Scalar("select City from Accounts"), std::string("Newtown"));
        QCOMPARE(db->Scalar("select DelivDays from Accounts"), std::string("NNYNNNN"));

        Config().SetByte(cfg::kDeliveryDaysShown, 0);
        const zev::AccountEditor hidden(zev::AccountEditor::Switches::FromConfig(Config()), messages);
        CEditAccountInfo second(hidden, *hidden.Load(7));
        second.show();
        QVERIFY(second.Delivery()->DelivCaption()->isHidden());
        QVERIFY(second.Delivery()->DelivDay(2)->isHidden());
    }

    void surveyDialogStoresEveryKindAndBacksOut()
    {
        QVERIFY(db->Exec("insert into Surveys values (1, 'Shelf Check', 'Core', 0, 0)"));
        QVERIFY(db->Exec("insert into Questions values (1, 1, 2, 'On shelf?', 'Yes|No', 1, 0)"));
        QVERIFY(db->Exec("insert into Questions values (1, 2, 3, 'Displays', 'A|B|C', 0, 1)"));
        QVERIFY(db->Exec("insert into Questions values (1, 3, 4, 'Reset', '', 0, 0)"));
        auto view = Open<CSurveyView>();
        QCOMPARE(host->title, std::string("#46"));
        QCOMPARE(view->Surveys()->Model()->rowCount(), 1);
        QVERIFY(!view->RunButton()->isEnabled());
        view->Surveys()->selectRow(0);
        QVERIFY(view->RunButton()->isEnabled());

        CSurveyDlg backOut(host->messages, *clock);
        QVERIFY(backOut.Open(1, 7));
        QCOMPARE(backOut.windowTitle(), QStringLiteral("Shelf Check"));
        QVERIFY(!backOut.Radio(0)->isHidden());
        backOut.OnBack();
        QCOMPARE(backOut.result(), int(QDialog::Rejected));
        QCOMPARE(db->ScalarInt("select count(*) from DoneSurveys"), 0);

        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<CSurveyDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->OnNext(); // required and empty: stays
            QCOMPARE(dialog->Runner().Page(), 0);
            dialog->Radio(1)->setChecked(true);
            dialog->OnNext();
            QVERIFY(!dialog->CheckList()->isHidden());
            QVERIFY(!dialog->NotesBox()->isHidden());
            dialog->CheckList()->item(0)->setCheckState(Qt::Checked);
            dialog->CheckList()->item(2)->setCheckState(Qt::Checked);
            dialog->NotesBox()->setText(QStringLiteral("end cap"));
            dialog->OnNext();
            dialog->DatePicker()->setDate(QDate(2028, 2, 29));
            dialog->OnNext();
        });
        view->OnRunSurvey();
        QCOMPARE(db->Scalar("select Answer from Answers where QuestionID = 1"), std::string("No"));
        QCOMPARE(db->Scalar("select Answer from Answers where QuestionID = 2"), std::string("101"));
        QCOMPARE(db->Scalar("select Comment from Answers where QuestionID = 2"), std::string("end cap"));
        QCOMPARE(db->Scalar("select Answer from Answers where QuestionID = 3"), std::string("02/29/2028"));
        QCOMPARE(view->Done()->Model()->rowCount(), 1);
        QCOMPARE(view->Done()->Model()->Cell(0, 0), QStringLiteral("Corner Store"));
        const auto boxes = host->messages.Boxes();
        QVERIFY(!boxes.empty());
        QCOMPARE(boxes.back().text, std::string("Survey Complete"));
    }

    void formsDialogEditsInPlaceAndAsksBeforeSwitching()
    {
        QVERIFY(db->Exec("insert into Forms values (1, 'Profile')"));
        QVERIFY(db->Exec("insert into Forms values (2, 'Credit')"));
        QVERIFY(db->Exec("insert into FormQuestions values (1, 1, 'Buyer')"));
        QVERIFY(db->Exec("insert into FormQuestions values (1, 2, 'Dock hours')"));
        QVERIFY(db->Exec("insert into FormQuestions values (2, 1, 'Bank')"));
        CFormsDlg dialog(7, host->messages);
        QAbstractItemModelTester tester(dialog.Answers(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(dialog.Answers()->rowCount(), 2);
        const QModelIndex answer = dialog.Answers()->index(1, 1);
        QVERIFY(dialog.Answers()->flags(answer) & Qt::ItemIsEditable);
        QVERIFY(!(dialog.Answers()->flags(dialog.Answers()->index(1, 0)) & Qt::ItemIsEditable));
        QVERIFY(dialog.Answers()->setData(answer, QStringLiteral("6-10")));
        QVERIFY(dialog.Filler().Changed());

        host->messages.Queue(zev::MbResult::Cancel);
        QVERIFY(!dialog.ChooseForm(1));
        QCOMPARE(dialog.FormBox()->currentIndex(), 0);
        host->messages.Queue(zev::MbResult::Yes);
        QVERIFY(dialog.ChooseForm(1));
        QCOMPARE(dialog.Answers()->rowCount(), 1);
        QCOMPARE(db->Scalar("select Answer from FormsFilled where QuestionID = 2"), std::string("6-10"));
        QCOMPARE(db->ScalarInt("select Updated from FormsFilled"), 1);
    }
};

QTEST_MAIN(AccountScreensTest)
#include "AccountScreensTest.moc"
