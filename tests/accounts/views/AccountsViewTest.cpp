// The account list screen over a real SQLite database: day buttons, sorting,
// selection, in-place editors, context menu and the itinerary printout.
#include "TestDatabase.h"
#include "accounts/views/CAccountsView.h"
#include "accounts/views/CCallPlanDlg.h"
#include "accounts/views/CNoOrderDlg.h"
#include "accounts/views/CreateAccountDlg.h"
#include "accounts/views/StarterPricing.h"
#include "app/core/TextHelpers.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "tables/DayButtons.h"
#include "tests/accounts/Fakes.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <cstring>
#include <memory>

namespace Btn = zev::DayButtons;
namespace cfg = zev::cfg;

namespace {

constexpr int kWednesday = Btn::kSunday + 3; // 4 March 2026 is a Wednesday

// Columns in list order, with the editor kinds the tests rely on: text for
// the appointment and the callback notes, the drop-down for the callback day.
zev::ListDefinition AccountsList()
{
    zev::ListDefinition list;
    list.number = 2;
    list.name = "Accounts";
    list.headings = {"Status",     "Account #",   "Company",   "Contact",     "Last Order", "Appt",
                     "Balance",    "Comment",     "Comment 2", "Phone",       "Callback",   "Callback Notes",
                     "Last Visit", "Alt Contact", "E-mail",    "Last Payment"};
    for (std::size_t i = 0; i < list.headings.size(); ++i) {
        list.widths.push_back(80);
        list.formats.push_back(0);
        list.order.push_back(static_cast<std::uint8_t>(i + 1));
        list.flags.push_back(0);
    }
    list.flags[5] = 1;
    list.flags[10] = CAccountsView::kEditorDropDown;
    list.flags[11] = 1;
    return list;
}

} // namespace

class AccountsViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    std::unique_ptr<zev::test::FixedClock> clock;
    zev::CurrentAccount current;
    std::unique_ptr<CAccountsView> view;
    zev::AccountCreator::CasePrice casePrice;

    // Answers the next modal dialog the view opens (run before the command).
    template <typename Dialog, typename Fill> void AnswerDialog(Fill fill)
    {
        QTimer::singleShot(0, this, [fill] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            fill(*dialog);
        });
    }

    void AddAccount(int id, const char* name, const char* number, const char* days, const char* wednesdayTime,
                    int warehouse)
    {
        const QString sql =
            QStringLiteral(
                "insert into Accounts (AccountID, CompanyName, ContactName, AccountNumber, ApptDays, ApptTime4, "
                "AcctStatus, CatalogIDs, Warehouse, PricingTier, CustomerType, City, State, Phone, LastOrder, "
                "LastVisitDate, BalanceDue, Updated) values (%1, '%2', 'Pat', '%3', '%4', '%5', 0, '4,6', "
                "%6, 2, 1, 'Town', 'ST', '555-0100', '2026-01-02', '1900-01-01', %7, 0)")
                .arg(id)
                .arg(QString::fromUtf8(name).replace('\'', "''"))
                .arg(number, days, wednesdayTime)
                .arg(warehouse)
                .arg(id * 10);
        QVERIFY(db->Exec(sql.toStdString()));
    }

    void Open()
    {
        view.reset();
        view =
            std::make_unique<CAccountsView>(*host, zev::AccountsViewContext{current, casePrice, {}, {}, clock.get()});
        view->resize(1000, 600);
        view->InitialUpdate();
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }

    QStringList Column(int column) const
    {
        QStringList cells;
        for (int r = 0; r < view->List()->Model()->rowCount(); ++r)
            cells << view->List()->Model()->Cell(r, column);
        return cells;
    }

    void ClickHeader(int column)
    {
        QHeaderView* header = view->List()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }

    void ClickRow(int row)
    {
        const QRect cell = view->List()->visualRect(view->List()->Model()->index(row, 2));
        QTest::mouseClick(view->List()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    zev::ZevConfig& Config() { return host->app.settings.config; }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        clock = std::make_unique<zev::test::FixedClock>(zev::test::At(2026, 3, 4, 10, 0));
        current = zev::CurrentAccount{};
        Config().SetList(AccountsList());
        Config().SetByte(cfg::kAccountSortColumn, 2);
        AddAccount(1, "BRAVO WINES", "22", "NNNYNNN", "0930", 7);
        AddAccount(2, "alpha bar", "100", "NNNYNNN", "1345", 8);
        AddAccount(3, "Charlie's", "9", "YNNNNNN", "", 9);
    }

    void cleanup()
    {
        view.reset();
        host.reset();
        dir.reset();
        db.reset();
    }

    void dayButtonsFilterTheList()
    {
        Open();
        QCOMPARE(current.dayButton, kWednesday);
        QCOMPARE(Column(2), (QStringList{"alpha bar", "Bravo Wines"}));
        QCOMPARE(Column(5), (QStringList{"01:45 pm", "09:30 am"}));
        QVERIFY(view->Button(kWednesday)->isChecked());

        view->Button(Btn::kSunday)->click();
        QCOMPARE(Column(2), QStringList{"Charlie's"});
        QCOMPARE(Column(5), QStringList{"Unassigned"});
        QVERIFY(view->Button(Btn::kSunday)->isDefault());
        QVERIFY(!view->Button(kWednesday)->isDefault());

        view->Button(Btn::kAll)->click();
        QCOMPARE(Column(2), (QStringList{"alpha bar", "Bravo Wines", "Charlie's"}));
        QCOMPARE(Column(5), (QStringList{"", "", ""})); // All shows no times

        // The day survives leaving the screen.
        Open();
        QCOMPARE(view->Model().DayButton(), static_cast<int>(Btn::kAll));
    }

    void headerClicksFlipTheDirection()
    {
        Open();
        view->Button(Btn::kAll)->click();
        ClickHeader(1);
        QCOMPARE(Column(1), (QStringList{"100", "22", "9"})); // first click sorts descending
        ClickHeader(1);
        QCOMPARE(Column(1), (QStringList{"9", "22", "100"})); // second click ascending
        ClickHeader(6);
        QCOMPARE(Column(2), (QStringList{"Charlie's", "alpha bar", "Bravo Wines"})); // another column: descending
        QCOMPARE(view->Model().SortColumn(), 2);                                     // All keeps the sort column
    }

    void selectionMakesTheAccountCurrent()
    {
        Config().SetByte(cfg::kAccountSetsWarehouse, 1);
        host->screens.insert(
            {CAccountsView::kScreenOrderGuide, CAccountsView::kScreenDetails, CAccountsView::kScreenHistory});
        Open();
        QCOMPARE(current.accountId, 2); // row 0 is selected on entry
        ClickRow(1);
        QCOMPARE(current.accountId, 1);
        QCOMPARE(current.accountNumber, std::string("22"));
        QCOMPARE(current.orderCatalog, 4);
        QCOMPARE(current.warehouse, 7);
        QCOMPARE(host->document.accountNumber, std::string("22"));
        QCOMPARE(host->document.accountName, std::string("Bravo Wines"));
        QVERIFY(host->app.accountCurrent);
        QVERIFY(view->Button(CAccountsView::kDetails)->isEnabled());
        QVERIFY(!view->Button(CAccountsView::kBackorders)->isEnabled());

        view->Button(CAccountsView::kOrderGuide)->click();
        view->Button(CAccountsView::kHistory)->click();
        QCOMPARE(host->switches, (std::vector<zev::Screen>{zev::Screen::OrderGuide, zev::Screen::OrderHistory}));

        // Returning shows the same account selected.
        Open();
        QCOMPARE(view->List()->CurrentRow(), 1);
    }

    void backordersButtonFollowsTheAccount()
    {
        Config().SetByte(cfg::kBackordersButton, 1);
        QVERIFY(db->Exec("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType) values (1, 'B1', 'BO')"));
        int opened = 0;
        view = std::make_unique<CAccountsView>(
            *host, zev::AccountsViewContext{current, {}, {}, [&opened](QWidget*) { ++opened; }, clock.get()});
        view->InitialUpdate();
        view->SelectRow(view->Model().RowOfAccount(2));
        QVERIFY(!view->Button(CAccountsView::kBackorders)->isEnabled());
        view->OnBackorders();
        QCOMPARE(opened, 0);
        view->SelectRow(view->Model().RowOfAccount(1));
        QVERIFY(view->Button(CAccountsView::kBackorders)->isEnabled());
        view->OnBackorders();
        QCOMPARE(opened, 1);
    }

    void commandsWithoutTheirScreenAreGreyed()
    {
        for (std::size_t offset : {cfg::kAccountDetails, cfg::kOpenOrders, cfg::kSurveyMenu, cfg::kBackordersButton})
            Config().SetByte(offset, 1);
        QVERIFY(db->Exec("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType) values (2, 'B1', 'BO')"));
        auto menuStates = [this] {
            std::unique_ptr<QMenu> menu(view->BuildContextMenu());
            QMap<QString, bool> states;
            for (QAction* action : menu->actions())
                states[action->text()] = action->isEnabled();
            return states;
        };
        const zev::Screen screens[] = {CAccountsView::kScreenOrderGuide, CAccountsView::kScreenDetails,
                                       CAccountsView::kScreenHistory, CAccountsView::kScreenOpenOrders,
                                       CAccountsView::kScreenSurvey};
        for (const bool built : {false, true}) {
            if (built)
                host->screens.insert(std::begin(screens), std::end(screens));
            Open();
            view->SelectRow(view->Model().RowOfAccount(2));
            for (int id : {CAccountsView::kDetails, CAccountsView::kOrderGuide, CAccountsView::kHistory})
                QCOMPARE(view->Button(id)->isEnabled(), built);
            const QMap<QString, bool> states = menuStates();
            for (const char* entry : {"History...", "Details...", "Open Orders...", "Survey..."})
                QCOMPARE(states.value(QString::fromLatin1(entry), !built), built);
            QVERIFY(states.value("Quick Info..."));
            // Backorders has no window to open in this program.
            QVERIFY(!view->Button(CAccountsView::kBackorders)->isEnabled());
            QVERIFY(!states.value("Backorders...", true));
            view->Button(CAccountsView::kOrderGuide)->click();
            view->OnNavigate(CAccountsView::kScreenSurvey);
            QCOMPARE(host->switches.size(), built ? std::size_t(2) : std::size_t(0));
        }
    }

    void callPlanMovesAccountsBetweenTheLists()
    {
        CCallPlanDlg dialog(3, host->messages);
        QCOMPARE(dialog.ScheduledList()->count(), 2);
        QCOMPARE(dialog.OthersList()->topLevelItemCount(), 1);
        dialog.OthersList()->topLevelItem(0)->setSelected(true);
        dialog.OnAdd();
        QCOMPARE(db->Scalar("select ApptDays from Accounts where AccountID = 3"), std::string("YNNYNNN"));
        QCOMPARE(dialog.ScheduledList()->count(), 3);
        QCOMPARE(dialog.OthersList()->topLevelItemCount(), 0);
        dialog.ChooseDay(0);
        QCOMPARE(dialog.ScheduledList()->count(), 1);
        dialog.ScheduledList()->item(0)->setSelected(true);
        dialog.OnRemove();
        QCOMPARE(db->Scalar("select ApptDays from Accounts where AccountID = 3"), std::string("NNNYNNN"));
        // Clear Week asks first, No by default; No keeps every plan.
        host->messages.Queue(zev::MbResult::No);
        QVERIFY(!dialog.OnClearWeek());
        QCOMPARE(db->ScalarInt("select count(*) from Accounts where ApptDays like '%Y%'"), 3);
        QCOMPARE(host->messages.Boxes().back().defaultButton, zev::MbResult::No);
        QVERIFY(dialog.OnClearWeek());
        QCOMPARE(db->ScalarInt("select count(*) from Accounts where ApptDays like '%Y%'"), 0);
    }

    void callPlanShowsEveryColumnAtOpeningSize()
    {
        QVERIFY(db->Exec("update Accounts set Zip = '97123-4567' where AccountID = 3"));
        QVERIFY(db->Exec("update Accounts set AccountNumber = 'T-100200-5120', City = 'Port Townsend' "
                         "where AccountID = 1"));
        CCallPlanDlg dialog(0, host->messages); // Sunday: accounts 1 and 2 are in All Accounts
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTreeWidget* others = dialog.OthersList();
        QHeaderView* header = others->header();
        QVERIFY2(header->length() <= others->viewport()->width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(header->length()).arg(others->viewport()->width())));
        QVERIFY(header->sectionSize(0) >= 150);
        const QFontMetrics metrics(others->font());
        const QStringList widest{"", "Port Townsend", "ST", "97123-4567", "T-100200-5120"};
        for (int c = 1; c < 5; ++c)
            QVERIFY2(header->sectionSize(c) > metrics.horizontalAdvance(widest[c]), qPrintable(widest[c]));
        // Accounts to call shows its entries whole too.
        QListWidget* scheduled = dialog.ScheduledList();
        QVERIFY2(scheduled->viewport()->width() >
                     QFontMetrics(scheduled->font()).horizontalAdvance(scheduled->item(0)->text()),
                 qPrintable(scheduled->item(0)->text()));
        // The list of accounts to call reads in name order.
        dialog.ChooseDay(3);
        QCOMPARE(dialog.ScheduledList()->item(0)->text().left(5), QStringLiteral("alpha"));
    }

    void findSelectsAsYouType()
    {
        Config().SetByte(cfg::kFindField, 1);
        Open();
        view->Button(Btn::kAll)->click();
        view->FindBox()->setFocus();
        QTest::keyClicks(view->FindBox(), "ch");
        QCOMPARE(current.accountId, 3);
        view->FindBox()->clear();
        QTest::keyClicks(view->FindBox(), "zz");
        QCOMPARE(current.accountId, 3); // no match keeps the selection
        view->List()->setFocus();
        QTRY_VERIFY(view->FindBox()->text().isEmpty());
    }

    void blankCallbackEntryRemovesTheCallback()
    {
        Config().SetByte(cfg::kCallTracking, 1);
        QVERIFY(db->Exec("insert into Callback (AccountID, CallbackDay, CallbackNotes) values (3, 3, '')"));
        Open();
        QCOMPARE(Column(2), (QStringList{"alpha bar", "Bravo Wines", "Charlie's"})); // callbacks join the day
        const int row = view->Model().RowOfAccount(3);
        QCOMPARE(view->List()->Model()->Cell(row, 10), QStringLiteral("Wednesday"));

        QVERIFY(view->EditCell(row, 10));
        auto* combo = qobject_cast<QComboBox*>(view->CellEditor());
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), 4);
        combo->setCurrentIndex(0);
        view->CommitEditor();
        QCOMPARE(db->ScalarInt("select count(*) from Callback where AccountID = 3"), 0);
        QCOMPARE(view->List()->Model()->Cell(row, 10), QString());

        QVERIFY(!view->EditCell(row, 3)); // columns of kind 0 are not editable
    }

    // Opening the list by mouse or Alt+Down must not count as leaving the editor.
    void callbackDropDownStaysOpenWhileItsListIs()
    {
        Config().SetByte(cfg::kCallTracking, 1);
        Open();
        const int row = view->Model().RowOfAccount(1);
        QVERIFY(view->EditCell(row, 10));
        auto* combo = qobject_cast<QComboBox*>(view->CellEditor());
        QVERIFY(combo);
        QTRY_VERIFY(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(combo->view()->isVisible());
        QCoreApplication::processEvents(); // let a deferred focus-out run
        QCOMPARE(view->CellEditor(), combo);
        QCOMPARE(db->ScalarInt("select count(*) from Callback where AccountID = 1"), 0);

        // Choosing from the list with the keyboard saves the day chosen.
        const QModelIndex friday = combo->model()->index(6, 0);
        combo->view()->setCurrentIndex(friday);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QTRY_VERIFY(!view->CellEditor());
        QCOMPARE(db->ScalarInt("select CallbackDay from Callback where AccountID = 1"), 5);
        QCOMPARE(view->List()->Model()->Cell(row, 10), combo->itemText(6));
    }

    void keyboardReachesEditorsMenuAndFind()
    {
        Config().SetByte(cfg::kCallTracking, 1);
        Config().SetByte(cfg::kFindField, 1);
        Open();
        const int row = view->Model().RowOfAccount(1);
        view->SelectRow(row);
        view->List()->setFocus();
        // F2 on a row whose current column does not edit: the first that does (Appt).
        QTest::keyClick(view->List(), Qt::Key_F2);
        auto* edit = qobject_cast<QLineEdit*>(view->CellEditor());
        QVERIFY(edit);
        QTest::keyClicks(edit, "4");
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!view->CellEditor());
        QCOMPARE(db->Scalar("select ApptTime4 from Accounts where AccountID = 1"), std::string("0930"));
        QTRY_VERIFY(view->List()->hasFocus());
        // Enter opens it too, and Enter in the editor saves.
        QTest::keyClick(view->List(), Qt::Key_Return);
        edit = qobject_cast<QLineEdit*>(view->CellEditor());
        QVERIFY(edit);
        edit->setText("4");
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!view->CellEditor());
        QCOMPARE(db->Scalar("select ApptTime4 from Accounts where AccountID = 1"), std::string("1600"));
        // On the drop-down column F2 opens the drop-down editor.
        view->List()->setCurrentIndex(view->List()->Model()->index(row, 10));
        QTest::keyClick(view->List(), Qt::Key_F2);
        QVERIFY(qobject_cast<QComboBox*>(view->CellEditor()));
        QTest::keyClick(view->CellEditor(), Qt::Key_Escape);
        QVERIFY(!view->CellEditor());

        // The menu key opens the row's menu.
        QStringList entries;
        QTimer::singleShot(0, this, [&entries] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                entries << action->text();
            menu->close();
        });
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), view->List()->mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(view->List(), &menuKey);
        QVERIFY(entries.contains("Quick Info..."));

        // "Find:" has its key and leads to the find box; every button has its own key.
        auto* findLabel = qobject_cast<QLabel*>(view->Control(QStringLiteral("LBL_FIND")));
        QVERIFY(findLabel);
        QCOMPARE(findLabel->buddy(), view->FindBox());
        QCOMPARE(zev::AccessKeyOf(findLabel->text().toStdString()), 'i');
        QSet<char> keys;
        int withKey = 0;
        for (QPushButton* button : view->findChildren<QPushButton*>()) {
            const char key = zev::AccessKeyOf(button->text().toStdString());
            if (key == 0)
                continue;
            ++withKey;
            keys.insert(key);
            QVERIFY2(key != 'f' && key != 'j' && key != 'h', "the menu bar keeps F, J and H");
        }
        QCOMPARE(keys.size(), withKey);
        QVERIFY(withKey >= 9);
    }

    void typedAppointmentTimeIsStored()
    {
        Open();
        const int row = view->Model().RowOfAccount(1);
        QVERIFY(view->EditCell(row, 5));
        auto* edit = qobject_cast<QLineEdit*>(view->CellEditor());
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("9:30 am"));
        edit->setText("3");
        view->List()->setFocus(); // leaving the editor saves it
        QTRY_VERIFY(!view->CellEditor());
        QCOMPARE(db->Scalar("select ApptTime4 from Accounts where AccountID = 1"), std::string("1500"));
        QCOMPARE(view->List()->Model()->Cell(row, 5), QStringLiteral("03:00 pm"));

        QVERIFY(view->EditCell(row, 5));
        QTest::keyClicks(view->CellEditor(), "9:75");
        QTest::keyClick(view->CellEditor(), Qt::Key_Escape);
        QCOMPARE(db->Scalar("select ApptTime4 from Accounts where AccountID = 1"),
                 std::string("1500")); // Escape drops the typed text
    }

    void contextMenuFollowsTheSwitches_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("all off") << false << QStringList{"Quick Info...", "History..."};
        QTest::newRow("all on") << true
                                << QStringList{"Quick Info...",
                                               "History...",
                                               "Edit...",
                                               "Details...",
                                               "No Visit/No Sale...",
                                               "Open Orders...",
                                               "Clear Call (This account)",
                                               "Clear Call (All Accounts)",
                                               "Survey...",
                                               "Create...",
                                               "Backorders..."};
    }

    void contextMenuFollowsTheSwitches()
    {
        QFETCH(bool, on);
        QFETCH(QStringList, entries);
        for (std::size_t offset :
             {cfg::kAccountDetails, cfg::kEditAccount, cfg::kSurveyMenu, cfg::kOpenOrders, cfg::kNoOrderButton,
              cfg::kCallTracking, cfg::kCreateAccountButton, cfg::kBackordersButton})
            Config().SetByte(offset, on ? 1 : 0);
        Open();
        std::unique_ptr<QMenu> menu(view->BuildContextMenu());
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(texts, entries);
        if (on) {
            QVERIFY(!menu->actions().at(2)->isEnabled());  // no account editor hooked up
            QVERIFY(!menu->actions().last()->isEnabled()); // Backorders follows its button
            QVERIFY(view->Button(CAccountsView::kNoOrder)->isVisible());
        } else {
            QVERIFY(!view->Button(CAccountsView::kNoOrder)->isVisible());
            QVERIFY(!view->FindBox()->isVisible());
        }
    }

    void clearCallThisAccountOnlyOnAWeekday()
    {
        Config().SetByte(cfg::kCallTracking, 1);
        QVERIFY(db->Exec("insert into AccountCalled (AccountID, Day, Type) values (1, 3, 2)"));
        Open();
        const int row = view->Model().RowOfAccount(1);
        QCOMPARE(view->Model().Rows()[static_cast<std::size_t>(row)].statusIcon, 11);
        view->Button(Btn::kAll)->click();
        view->SelectRow(view->Model().RowOfAccount(1));
        view->OnClearCallThisAccount();
        QCOMPARE(db->ScalarInt("select count(*) from AccountCalled"), 1); // All ignores it
        view->Button(kWednesday)->click();
        view->SelectRow(view->Model().RowOfAccount(1));
        view->OnClearCallThisAccount();
        QCOMPARE(db->ScalarInt("select count(*) from AccountCalled"), 0);
        QCOMPARE(view->Model().Rows()[static_cast<std::size_t>(view->Model().RowOfAccount(1))].statusIcon, 0);
    }

    void itineraryPrintsTheDaysAccounts()
    {
        Open();
        const zev::PrintDocument report = view->BuildReport(CPrintChoiceDlg::Itinerary);
        QVERIFY(report.HasLines());
        const QString text = QString::fromStdString(report.PlainText());
        QVERIFY2(text.contains("Wednesday"), qPrintable(text));
        QVERIFY(text.contains("Bravo Wines") || text.contains("BRAVO WINES"));
        QVERIFY(text.contains("alpha bar"));
        QVERIFY(text.contains("Town, ST"));
        QVERIFY(!text.contains("Charlie"));

        const QString pdf = dir->filePath("itinerary.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(view->PrintReport(CPrintChoiceDlg::Itinerary, printer));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(bytes.size() > 2000, "the page holds text");
        QVERIFY(host->messages.Boxes().empty());
    }

    void printoutIsNamedAndItsFolderRemembered()
    {
        Open();
        QPrinter first;
        view->PreparePrinter(CPrintChoiceDlg::Itinerary, first);
        QCOMPARE(first.docName(), QStringLiteral("Itinerary Wednesday 2026-03-04"));
        QVERIFY(first.outputFileName().isEmpty()); // nothing remembered yet: the dialog's own proposal

        QVERIFY(QDir(dir->path()).mkpath("reports"));
        const QString folder = dir->filePath("reports");
        first.setOutputFileName(folder + "/mine.pdf");
        view->RememberPrintFolder(first);
        QPrinter second;
        view->PreparePrinter(CPrintChoiceDlg::Accomplishments, second);
        QCOMPARE(second.outputFileName(), folder + "/Accomplishments 2026-03-04.pdf");

        // A folder gone since is not proposed.
        QVERIFY(QDir(folder).removeRecursively());
        QPrinter third;
        view->PreparePrinter(CPrintChoiceDlg::Itinerary, third);
        QVERIFY(third.outputFileName().isEmpty());
    }

    void emptyReportsAreTold()
    {
        Open();
        view->Button(Btn::kSunday + 1)->click(); // Monday: nobody scheduled
        QVERIFY(!view->BuildReport(CPrintChoiceDlg::Itinerary).HasLines());
        const QString pdf = dir->filePath("empty.pdf");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(!view->PrintReport(CPrintChoiceDlg::Accomplishments, printer));
        QVERIFY(!QFile::exists(pdf));
        const auto boxes = host->messages.Boxes();
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0].text, std::string("You have nothing to be printed."));
    }

    void newMessagesAreToldOnEntry()
    {
        Config().SetByte(cfg::kMessageCenter, 1);
        QVERIFY(host->profile.SetUserID("100200"));
        QVERIFY(db->Exec("insert into Messages (MessageID, FromID, ToID, ToStatus, Subject, Message, Updated) "
                         "values (1, 900100, 100200, 0, 'Hi', 'Body', 0)"));
        Open();
        QTRY_COMPARE(host->messages.TextIds(), std::vector<int>{65140});
    }

    void noSaleSavesAnInformationOrderAndTheCall()
    {
        Config().SetByte(cfg::kNoOrderButton, 1);
        Config().SetByte(cfg::kCallTracking, 1);
        QVERIFY(db->Exec("insert into Callback (AccountID, CallbackDay, CallbackNotes) values (1, 5, 'later')"));
        Open();
        view->SelectRow(view->Model().RowOfAccount(1));
        QVERIFY(view->Button(CAccountsView::kNoOrder)->isEnabled());
        AnswerDialog<CNoOrderDlg>([](CNoOrderDlg& dialog) {
            QVERIFY(!dialog.OkButton()->isEnabled()); // a reason comes first
            dialog.NoCallChoice()->click();
            dialog.NoteBox()->setPlainText("Closed for the owner's holiday");
            dialog.OkButton()->click();
        });
        view->OnNoOrder();
        QCOMPARE(db->Scalar("select OrderType from ReadyOrder where AccountID = 1"), std::string("2"));
        QCOMPARE(db->Scalar("select ODCText from ReadyOrder where AccountID = 1"), std::string("No Call"));
        QCOMPARE(db->Scalar("select OrderNotes from ReadyOrder where AccountID = 1"),
                 std::string("Closed for the owner's holiday"));
        QCOMPARE(db->ScalarInt("select Type from AccountCalled where AccountID = 1 and Day = 3"), 3);
        QCOMPARE(db->ScalarInt("select count(*) from Callback where AccountID = 1"), 0);
        QCOMPARE(view->Model().Rows()[static_cast<std::size_t>(view->Model().RowOfAccount(1))].statusIcon, 11);
        QCOMPARE(host->messages.Boxes().back().text, std::string("The tracking information has been saved."));

        AnswerDialog<CNoOrderDlg>([](CNoOrderDlg& dialog) { dialog.reject(); });
        view->OnNoOrder();
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder"), 1); // cancelled: nothing saved
    }

    // The kit's captions: the first choice is the no-sale reason, the second
    // the no-call one, and both keep a distinct access key.
    void kitCaptionsRecordTheChoiceClicked()
    {
        zev::ZevConfig kit;
        QCOMPARE(kit.Load(std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevConfig.dat"), zev::ZevConfig::LoadResult::Ok);
        const zev::AccountListSettings settings = zev::AccountListSettings::FromConfig(kit);
        CNoOrderDlg dialog(settings.noSaleCaption, settings.noCallCaption, settings.noteMaxLength);
        auto plain = [](QString text) { return text.remove(QLatin1Char('&')); };
        QCOMPARE(plain(dialog.NoSaleChoice()->text()), QStringLiteral("No Sale"));
        QCOMPARE(plain(dialog.NoCallChoice()->text()), QStringLiteral("No Call"));
        QStringList keys;
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            if (const char key = zev::AccessKeyOf(button->text().toStdString()))
                keys << QString(QChar::fromLatin1(key));
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (const char key = zev::AccessKeyOf(label->text().toStdString()))
                keys << QString(QChar::fromLatin1(key));
        QVERIFY2(zev::AccessKeyOf(dialog.NoSaleChoice()->text().toStdString()) != 0, "No Sale has a key");
        QVERIFY2(zev::AccessKeyOf(dialog.NoCallChoice()->text().toStdString()) != 0, "No Call has a key");
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());

        // The caption clicked is the reason recorded.
        QTest::mouseClick(dialog.NoCallChoice(), Qt::LeftButton);
        QVERIFY(dialog.NoCallChoice()->isChecked());
        QCOMPARE(dialog.Reason(), zev::CallPlanner::NoOrderReason::NoCall);
        QTest::mouseClick(dialog.NoSaleChoice(), Qt::LeftButton);
        QCOMPARE(dialog.Reason(), zev::CallPlanner::NoOrderReason::NoSale);
    }

    void createMakesTheAccountWithAPricedGuide()
    {
        Config().SetByte(cfg::kCreateAccountButton, 1);
        QVERIFY(host->profile.SetUserID("100200"));
        for (int item = 1; item <= 3; ++item)
            QVERIFY(db->Exec("insert into Items (ItemID, Description, DeletedFlag) values (" + std::to_string(item) +
                             ", 'Item', " + (item == 2 ? "1" : "0") + ")"));
        casePrice = [](int item, int catalog) { return catalog == 10 ? item * 10.0 : -1.0; };
        Open();
        AnswerDialog<CreateAccountDlg>([](CreateAccountDlg& dialog) {
            QTest::keyClicks(dialog.Field("EDT_COMPANYNAME"), "  O'Brien's Pub ");
            QTest::keyClicks(dialog.Field("EDT_STATE"), "Illinois");
            dialog.accept();
        });
        view->OnCreate();
        const int id = db->ScalarInt("select AccountID from Accounts where CompanyName = 'O''Brien''s Pub'");
        QVERIFY(id > 3);
        // Told, and shown selected under All (it has no call days yet).
        QCOMPARE(view->Model().DayButton(), static_cast<int>(Btn::kAll));
        QCOMPARE(current.accountId, id);
        QCOMPARE(view->List()->CurrentRow(), view->Model().RowOfAccount(id));
        QVERIFY(host->messages.Boxes().back().text.find("\"O'Brien's Pub\" was created") != std::string::npos);
        // Its number shows whole.
        const QString number = view->List()->Model()->Cell(view->List()->CurrentRow(), 1);
        QVERIFY(number.startsWith("T-100200-"));
        QVERIFY(view->List()->horizontalHeader()->sectionSize(1) >
                view->List()->fontMetrics().horizontalAdvance(number));
        QCOMPARE(db->Scalar("select State from Accounts where AccountID = " + std::to_string(id)), std::string("Il"));
        QCOMPARE(db->ScalarInt("select count(*) from WorkOrder where AccountID = " + std::to_string(id)), 1);
        QCOMPARE(db->Scalar("select group_concat(ItemID || '=' || CDistPrice, ',') from WorkOrderItems where "
                            "AccountID = " +
                            std::to_string(id) + " and WorkOrderID = 3"),
                 std::string("1=10.0,3=30.0"));

        // A blank name is refused with a reason; the dialog stays open.
        host->messages.Clear();
        bool stayedOpen = false;
        AnswerDialog<CreateAccountDlg>([&stayedOpen](CreateAccountDlg& dialog) {
            QTest::keyClicks(dialog.Field("EDT_COMPANYNAME"), "   ");
            dialog.accept();
            stayedOpen = dialog.isVisible() && dialog.focusWidget() == dialog.Field("EDT_COMPANYNAME");
            dialog.reject();
        });
        view->OnCreate();
        QVERIFY(stayedOpen);
        QCOMPARE(host->messages.Boxes().size(), std::size_t(1));
        QVERIFY(host->messages.Boxes()[0].text.find("name") != std::string::npos);
        QCOMPARE(db->ScalarInt("select count(*) from Accounts"), 4); // a blank name creates nothing
    }

    void beforeTheFirstDownloadTheListSaysWhatToDo()
    {
        for (std::size_t offset :
             {cfg::kCallPlanButton, cfg::kAccountPrintButton, cfg::kCreateAccountButton, cfg::kFindField})
            Config().SetByte(offset, 1);
        QVERIFY(db->Exec("delete from Accounts"));
        host->screens.insert(CAccountsView::kScreenMaintenance);
        Open();
        QVERIFY(view->NoDataNote()->isVisible());
        for (int id : {CAccountsView::kCallPlan, CAccountsView::kPrint, CAccountsView::kCreate})
            QVERIFY(!view->Button(id)->isEnabled());
        QVERIFY(!view->FindBox()->isEnabled());
        auto* go = view->NoDataNote()->findChild<QPushButton*>();
        QVERIFY(go);
        go->click();
        QTRY_COMPARE(host->switches, std::vector<zev::Screen>{CAccountsView::kScreenMaintenance});

        // A weekday without accounts is not the same as no accounts at all.
        AddAccount(1, "BRAVO WINES", "22", "NNNYNNN", "0930", 7);
        Open();
        view->Button(Btn::kSunday)->click();
        QCOMPARE(view->List()->Model()->rowCount(), 0);
        QVERIFY(!view->NoDataNote()->isVisible());
        QVERIFY(view->Button(CAccountsView::kCallPlan)->isEnabled());
        QVERIFY(view->Button(CAccountsView::kCreate)->isEnabled());
    }

    void sortedColumnShowsItsIndicator()
    {
        Open();
        QHeaderView* header = view->List()->horizontalHeader();
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), 2);
        view->Button(Btn::kAll)->click();
        ClickHeader(1);
        QCOMPARE(header->sortIndicatorSection(), 1);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder); // "100" first
        ClickHeader(1);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    void starterPricingReadsTheLibraryAnswer()
    {
        auto ok = [](const char* item, const char*, const char* catalog, const char*, const char*, const char*,
                     const char*, const char*, const char*, char* caseOut, char*) -> int {
            if (std::strcmp(catalog, "10") != 0)
                return 0;
            std::snprintf(caseOut, Q9_PRICE_BUFFER_SIZE, "%s.50", item);
            return 1;
        };
        auto fails = [](const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                        const char*, const char*, char*, char*) -> int { return 0; };
        QCOMPARE(zev::StarterPricing::FromLibrary(ok)(12, 10), 12.5);
        QCOMPARE(zev::StarterPricing::FromLibrary(fails)(12, 10), 0.0);
        QCOMPARE(zev::StarterPricing::FromLibrary(nullptr)(12, 10), 0.0);
    }
};

QTEST_MAIN(AccountsViewTest)
#include "AccountsViewTest.moc"
