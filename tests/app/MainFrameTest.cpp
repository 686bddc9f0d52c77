#include "app/CMainFrame.h"
#include "app/CZevSatchelView.h"
#include "app/CommandTable.h"
#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/ZevConfigLayout.h"
#include "app/core/ZevFolders.h"
#include "app/ui/CZevBaseView.h"
#include "app/ui/DocumentState.h"
#include "app/ui/QtMessageBox.h"
#include "tests/app/ui/FakeMessageBox.h"

#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

// A screen whose willingness to leave the test decides.
class StubView : public CZevBaseView {
public:
    StubView(zev::IScreenHost& host, int number, bool* allowLeave)
        : CZevBaseView(host, "Stub"), m_number(number), m_allow(allowLeave)
    {
    }
    bool CanLeave(zev::Screen) override { return *m_allow; }
    int Number() const { return m_number; }

private:
    int m_number;
    bool* m_allow;
};

// A screen that puts the keyboard in one of its fields, as sign-in does.
class FieldView : public CZevBaseView {
public:
    explicit FieldView(zev::IScreenHost& host) : CZevBaseView(host, "Field"), field(new QLineEdit(this))
    {
        field->setFocus();
    }
    QLineEdit* field;
};

// A screen with a table to export, counting the exports asked of it.
class ExportView : public CZevBaseView {
public:
    ExportView(zev::IScreenHost& host, int* exports) : CZevBaseView(host, "Export"), m_exports(exports) {}
    bool CanExport() const override { return true; }
    void Export() override { ++*m_exports; }

private:
    int* m_exports;
};

// Once the next message box is up: its button captions, and a click on the
// one whose caption holds `press` (the default button when empty).
void AnswerNextBox(QStringList* captions, const QString& press)
{
    QTimer::singleShot(0, [captions, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        QAbstractButton* chosen = box->defaultButton();
        for (QAbstractButton* b : box->buttons()) {
            captions->append(b->text());
            if (!press.isEmpty() && b->text().remove(QLatin1Char('&')).contains(press))
                chosen = b;
        }
        chosen->click();
    });
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        const std::string dir = m_dir->path().toStdString();
        m_app = std::make_unique<zev::AppState>();
        m_app->settingsFilePath = dir + "/ZevSatchel.INI";
        m_app->settings.config.SetTitle(9, "Accounts");
        m_app->settings.config.SetTitle(40, "Maintenance");
        m_doc = std::make_unique<zev::DocumentState>();
        m_profile = std::make_unique<zev::Profile>(dir + "/Satchel.ini");
        m_folders = std::make_unique<zev::ZevFolders>(dir, dir);
        m_messages = std::make_unique<FakeMessageBox>();
        m_allowLeave = true;
    }

    void cleanup() { m_frame.reset(); }

    void currentScreensCommandDoesNothing()
    {
        MakeFrame();
        m_app->signedIn = true;
        QCOMPARE(zev::ScreenNumber(m_frame->SwitchScreen(zev::Screen::Accounts)), 0);
        m_frame->UpdateCommands();
        QAction* accounts = m_frame->Action(zev::kCmdAccounts);
        QVERIFY(accounts);
        QVERIFY(!accounts->isEnabled());
        QVERIFY(m_frame->Action(zev::kCmdMaintenance)->isEnabled());
        QSignalSpy spy(m_frame.get(), &CMainFrame::ScreenSwitched);
        accounts->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(zev::ScreenNumber(m_app->currentScreen), 4);
        // The same number asked directly changes nothing either.
        QCOMPARE(zev::ScreenNumber(m_frame->SwitchScreen(zev::Screen::Accounts)), 4);
        QCOMPARE(spy.count(), 0);
    }

    void busyDisablesEveryCommandExitIncluded()
    {
        MakeFrame();
        m_app->signedIn = true;
        m_frame->SwitchScreen(zev::Screen::Maintenance);
        m_frame->SetBusy(true);
        int commands = 0;
        for (const auto& def : zev::kCommands) {
            if (QAction* action = m_frame->Action(def.id)) {
                ++commands;
                QVERIFY2(!action->isEnabled(), def.statusText);
            }
        }
        QVERIFY(commands >= 3);
        QVERIFY(!m_frame->Action(zev::kCmdAbout)->isEnabled());
        // Closing the window is refused while busy, without asking.
        QVERIFY(!m_frame->close());
        QVERIFY(m_messages->Boxes().empty());
        m_frame->SetBusy(false);
        QVERIFY(m_frame->Action(zev::kCmdExit)->isEnabled());
        QVERIFY(m_frame->Action(zev::kCmdAccounts)->isEnabled());
    }

    void commandsNeedSignInAndSkipSummaryScreens()
    {
        MakeFrame();
        m_frame->SwitchScreen(zev::Screen::Maintenance);
        QVERIFY(!m_frame->Action(zev::kCmdAccounts)->isEnabled());
        QVERIFY(m_frame->Action(zev::kCmdExit)->isEnabled());
    }

    void screensNotBuiltAndSwitchedOffFeaturesAreNotOffered()
    {
        m_app->settings.config.SetByte(21, 0); // sales data off
        MakeFrame();
        QVERIFY(!m_frame->Action(zev::kCmdSalesData));
        QVERIFY(!m_frame->Action(zev::kCmdOrderGuide)); // no such screen in this build
        QVERIFY(!m_frame->Action(zev::kCmdProductBrowse));
        QVERIFY(m_frame->Action(zev::kCmdAccounts));
    }

    void refusingScreenAndUnknownNumberKeepTheScreen()
    {
        MakeFrame();
        m_frame->SwitchScreen(zev::Screen::Accounts);
        auto* first = m_frame->CurrentView();
        m_allowLeave = false;
        QCOMPARE(zev::ScreenNumber(m_frame->SwitchScreen(zev::Screen::Maintenance)), 4);
        QCOMPARE(m_frame->CurrentView(), first);
        m_allowLeave = true;
        // Unknown and unbuilt screens are logged faults, never silence.
        QTest::ignoreMessage(QtWarningMsg, "ZevSatchel: switch to screen 13 refused: there is no such screen");
        QCOMPARE(zev::ScreenNumber(m_frame->SwitchScreen(static_cast<zev::Screen>(13))), 4);
        QTest::ignoreMessage(QtWarningMsg, "ZevSatchel: switch to screen 99 refused: there is no such screen");
        QCOMPARE(zev::ScreenNumber(m_frame->SwitchScreen(static_cast<zev::Screen>(99))), 4);
        QTest::ignoreMessage(QtWarningMsg,
                             "ZevSatchel: switch to screen 5 refused: that screen is not in this program yet");
        QCOMPARE(zev::ScreenNumber(m_frame->SwitchScreen(zev::Screen::OrderGuide)), 4);
        QCOMPARE(m_frame->CurrentView(), first);
    }

    void postedSwitchHappensAfterTheHandler()
    {
        MakeFrame();
        m_frame->PostSwitchScreen(zev::Screen::Maintenance);
        QCOMPARE(zev::ScreenNumber(m_app->currentScreen), 0);
        QSignalSpy spy(m_frame.get(), &CMainFrame::ScreenSwitched);
        QVERIFY(spy.wait(2000));
        QCOMPARE(zev::ScreenNumber(m_app->currentScreen), 2);
        QCOMPARE(m_frame->Title(), QStringLiteral("Maintenance"));
    }

    void titleCarriesTheCurrentAccount()
    {
        MakeFrame();
        m_app->accountCurrent = true;
        m_doc->accountNumber = "1042";
        m_doc->accountName = "Harbour Wines";
        m_frame->SwitchScreen(zev::Screen::Accounts);
        QCOMPARE(m_frame->Title(), QStringLiteral("Accounts (1042) Harbour Wines"));
        m_frame->activateWindow();
        if (QTest::qWaitForWindowActive(m_frame.get()))
            QCOMPARE(m_frame->windowTitle(), QStringLiteral("Accounts (1042) Harbour Wines"));
        QWidget other;
        other.show();
        other.activateWindow();
        if (QTest::qWaitForWindowActive(&other))
            QTRY_COMPARE(m_frame->windowTitle(), QStringLiteral("Satchel"));
    }

    void minusOnePlacementGivesDefaultSize_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("minus one") << "-1";
        QTest::newRow("empty") << "";
        QTest::newRow("three numbers") << "10,20,300";
        QTest::newRow("inverted") << "500,500,100,100";
    }

    void minusOnePlacementGivesDefaultSize()
    {
        QFETCH(QString, stored);
        QVERIFY(m_profile->SetText("Application", stored.toStdString()));
        MakeFrame();
        m_frame->RestorePlacement();
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(m_frame->size(), QSize(available.width() * 5 / 6, available.height() * 5 / 6));
        QVERIFY(!m_app->maximized);
    }

    void storedPlacementAndMaximizedAreRestored()
    {
        QVERIFY(m_profile->SetText("Application", "40,30,440,630"));
        QVERIFY(m_profile->SetText("Maximized", "MAX"));
        MakeFrame();
        m_frame->RestorePlacement();
        QCOMPARE(m_frame->geometry(), QRect(30, 40, 600, 400));
        QVERIFY(m_app->maximized);
    }

    void exitAsksAndLetsTheScreenRefuse()
    {
        MakeFrame();
        m_frame->SwitchScreen(zev::Screen::Accounts);
        m_messages->Queue(zev::MbResult::No);
        QVERIFY(!m_frame->ConfirmExit());
        QCOMPARE(m_messages->TextIds(), std::vector<int>{65008});
        m_allowLeave = false;
        QVERIFY(!m_frame->ConfirmExit());
        QVERIFY(m_frame->CurrentView());
        m_allowLeave = true;
        QVERIFY(m_frame->ConfirmExit());
        QVERIFY(!m_frame->CurrentView());
    }

    void startScreenLeadsToSetupWithoutUser()
    {
        MakeFrame();
        auto* start = new CZevSatchelView(*m_frame);
        m_frame->SetStartView(start);
        QVERIFY(start->TimerActive());
        QSignalSpy spy(m_frame.get(), &CMainFrame::ScreenSwitched);
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(spy.wait(2000));
        QCOMPARE(zev::ScreenNumber(m_app->currentScreen), 3);
    }

    void startScreenLeadsToSignInWithUserAfterTimer()
    {
        QVERIFY(m_profile->SetUserID("100200"));
        MakeFrame();
        auto* start = new CZevSatchelView(*m_frame);
        m_frame->SetStartView(start);
        QTRY_COMPARE_WITH_TIMEOUT(zev::ScreenNumber(m_app->currentScreen), 1, 6000);
    }

    void switchKeepsTheFieldTheScreenFocused()
    {
        MakeFrame();
        FieldView* created = nullptr;
        m_frame->RegisterScreen(zev::Screen::Receivables, [&created](zev::IScreenHost& host) {
            created = new FieldView(host);
            return created;
        });
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        m_frame->SwitchScreen(zev::Screen::Receivables);
        QVERIFY(created);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(created->field));
    }

    void exportFollowsTheCurrentScreen()
    {
        int exports = 0;
        m_app->signedIn = true;
        MakeFrame([&exports](CMainFrame& frame) {
            frame.RegisterScreen(zev::Screen::Receivables,
                                 [&exports](zev::IScreenHost& host) { return new ExportView(host, &exports); });
        });
        QAction* exportAction = m_frame->ExportAction();
        QVERIFY(exportAction);
        m_frame->SwitchScreen(zev::Screen::Maintenance);
        QVERIFY(!exportAction->isEnabled());
        exportAction->trigger();
        m_frame->SwitchScreen(zev::Screen::Receivables);
        QVERIFY(exportAction->isEnabled());
        exportAction->trigger();
        QCOMPARE(exports, 1);
        m_frame->SetBusy(true);
        QVERIFY(!exportAction->isEnabled());
        exportAction->trigger();
        QCOMPARE(exports, 1);
    }

    // With every screen built and every feature switched on, each command of
    // the table is offered and live; only the current screen's own is greyed.
    void everyCommandIsLiveWhenItsScreenExists()
    {
        m_app->signedIn = true;
        for (const auto& def : zev::kCommands) {
            if (def.switchByte >= 0)
                m_app->settings.config.SetByte(static_cast<std::size_t>(def.switchByte), 1);
        }
        MakeFrame([this](CMainFrame& frame) {
            for (const auto& screen : zev::kScreens)
                if (!frame.HasScreen(screen.screen))
                    frame.RegisterScreen(screen.screen,
                                         [this, n = zev::ScreenNumber(screen.screen)](zev::IScreenHost& host) {
                                             return new StubView(host, n, &m_allowLeave);
                                         });
            frame.SetCommandHandler(zev::kCmdProductBrowse, [] {});
            frame.SetCommandHandler(zev::kCmdProductSearch, [] {});
        });
        m_frame->SwitchScreen(zev::Screen::Maintenance);
        for (const auto& def : zev::kCommands) {
            QAction* action = m_frame->Action(def.id);
            QVERIFY2(action, def.statusText);
            QCOMPARE(action->isEnabled(), def.screen != zev::Screen::Maintenance);
            // A command's screen is one the frame knows.
            if (def.screen != zev::Screen::None) {
                bool known = false;
                for (const auto& screen : zev::kScreens)
                    known = known || screen.screen == def.screen;
                QVERIFY2(known, def.statusText);
            }
        }
        for (int id : zev::kToolbar)
            QVERIFY(id == 0 || m_frame->Action(id));
    }

    // The new-messages notice offers the way to the inbox; taken, it leads
    // there at once, or once a running exchange is done; declined (the
    // default), the screen stays.
    void newMessagesNoticeLeadsToTheMessageCenter()
    {
        QtMessageBox box;
        OpenAccountsOfferingMessages(box, true);

        QStringList captions;
        AnswerNextBox(&captions, {});
        QCOMPARE(box.Show(65140, zev::Caption::Information, zev::MbButtons::Ok, zev::MbIcon::Information),
                 zev::MbResult::Ok);
        QCOMPARE(captions.size(), 2);
        QVERIFY(captions.contains(QStringLiteral("&Open Message Center")));
        QCoreApplication::processEvents();
        QCOMPARE(zev::ScreenNumber(m_app->currentScreen), 4);

        captions.clear();
        AnswerNextBox(&captions, QStringLiteral("Open Message Center"));
        QCOMPARE(box.Show(65140, zev::Caption::Information, zev::MbButtons::Ok, zev::MbIcon::Information),
                 zev::MbResult::Ok);
        QTRY_COMPARE(zev::ScreenNumber(m_app->currentScreen), 19);

        // Already there: nothing more to offer.
        captions.clear();
        AnswerNextBox(&captions, {});
        box.Show(65140, zev::Caption::Information, zev::MbButtons::Ok, zev::MbIcon::Information);
        QCOMPARE(captions.size(), 1);

        // Chosen while an exchange runs: followed once it ends.
        m_frame->SwitchScreen(zev::Screen::Maintenance);
        m_frame->SetBusy(true);
        captions.clear();
        AnswerNextBox(&captions, QStringLiteral("Open Message Center"));
        box.Show(65140, zev::Caption::Information, zev::MbButtons::Ok, zev::MbIcon::Information);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(zev::ScreenNumber(m_app->currentScreen), 2);
        m_frame->SetBusy(false);
        QTRY_COMPARE(zev::ScreenNumber(m_app->currentScreen), 19);

        // Other boxes never carry it.
        m_frame->SwitchScreen(zev::Screen::Accounts);
        captions.clear();
        AnswerNextBox(&captions, {});
        box.Show(65057, zev::Caption::Information, zev::MbButtons::Ok, zev::MbIcon::Information);
        QCOMPARE(captions.size(), 1);
        m_frame.reset(); // before the box it holds
    }

    void newMessagesNoticeWithoutMessageCenterIsPlain()
    {
        QtMessageBox box;
        OpenAccountsOfferingMessages(box, false);
        QStringList captions;
        AnswerNextBox(&captions, {});
        box.Show(65140, zev::Caption::Information, zev::MbButtons::Ok, zev::MbIcon::Information);
        QCOMPARE(captions.size(), 1);
        m_frame.reset();
    }

private:
    // Signed in on the account list, with the notice offering the message
    // center when the distributor switches it on.
    void OpenAccountsOfferingMessages(QtMessageBox& box, bool messageCenter)
    {
        m_app->signedIn = true;
        m_app->settings.config.SetByte(zev::cfg::kMessageCenter, messageCenter ? 1 : 0);
        MakeFrame(
            [](CMainFrame& frame) {
                frame.RegisterScreen(zev::Screen::MessageCenter,
                                     [](zev::IScreenHost& host) { return new CZevBaseView(host, "Messages"); });
            },
            &box);
        m_frame->OfferCommandFrom(box, 65140, zev::kCmdMessageCenter, QStringLiteral("&Open Message Center"));
        m_frame->SwitchScreen(zev::Screen::Accounts);
    }

    void MakeFrame(const std::function<void(CMainFrame&)>& more = {}, zev::IMessageBox* messages = nullptr)
    {
        m_app->settings.config.SetByte(12, 1);
        CMainFrame::Context context{*m_app, *m_doc, *m_profile, *m_folders, messages ? *messages : *m_messages};
        m_frame = std::make_unique<CMainFrame>(context);
        for (int n : {1, 2, 3, 4, 6, 10}) {
            m_frame->RegisterScreen(static_cast<zev::Screen>(n),
                                    [this, n](zev::IScreenHost& host) { return new StubView(host, n, &m_allowLeave); });
        }
        if (more)
            more(*m_frame);
        m_frame->BuildCommands();
        m_frame->show();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<zev::AppState> m_app;
    std::unique_ptr<zev::DocumentState> m_doc;
    std::unique_ptr<zev::Profile> m_profile;
    std::unique_ptr<zev::ZevFolders> m_folders;
    std::unique_ptr<FakeMessageBox> m_messages;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_allowLeave = true;
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
