#include "app/core/Profile.h"
#include "app/core/TextHelpers.h"
#include "sync/CoreAdapters.h"
#include "sync/DatabaseBuilder.h"
#include "sync/IssueReport.h"
#include "sync/OrderSender.h"
#include "sync/SyncEngine.h"
#include "sync/SyncRunner.h"
#include "sync/SyncStack.h"
#include "sync/Uploads.h"
#include "sync/views/CInitialSetupView.h"
#include "sync/views/CLoginView.h"
#include "sync/views/CMaintenanceView.h"
#include "sync/views/CReportIssueDlg.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <mutex>
#include <sstream>

namespace {

// The local database as a script: selects answer by the start of their
// statement, other statements are recorded.
class FakeDb final : public zev::sync::ISyncDb {
public:
    bool OpenAdmin() override { return true; }
    bool Exec(const std::string& sql) override
    {
        std::lock_guard lock(m_mutex);
        executed.push_back(sql);
        return execResult;
    }
    bool Select(const std::string& sql, zev::sync::Rows& rows, std::vector<std::string>* = nullptr) override
    {
        std::lock_guard lock(m_mutex);
        selected.push_back(sql);
        for (const auto& [prefix, answer] : answers) {
            if (sql.rfind(prefix, 0) == 0) {
                rows = answer;
                return true;
            }
        }
        rows.clear();
        return true;
    }
    bool Insert(const std::string&, const std::vector<std::string>&, const zev::sync::Row&) override { return true; }
    bool ExecBound(const std::string&, const zev::sync::Row&) override { return true; }
    std::vector<std::string> Columns(const std::string&) override { return {}; }
    bool Begin() override { return true; }
    bool Commit() override { return true; }
    bool Rollback() override { return true; }
    void CloseAll() override {}

    std::vector<std::pair<std::string, zev::sync::Rows>> answers;
    std::vector<std::string> executed;
    std::vector<std::string> selected;
    bool execResult = true;
    std::mutex m_mutex;
};

class NullSettings final : public zev::sync::ISyncSettings {
public:
    std::string Value(const std::string&, const std::string&, const std::string& def) const override { return def; }
};

std::string FakeHash(const std::string& text) { return "digest-of-" + text; }

// Everything the screens borrow, over fakes and a profile in a temporary folder.
struct Fixture {
    explicit Fixture(const std::string& dir) : host(dir), profileAdapter(host.profile)
    {
        zev::sync::SyncServices services;
        services.helpers.hash = FakeHash;
        services.messageBox = &host.messages;
        services.clock = &clock;
        services.settings = &settings;
        services.profile = &profileAdapter;
        services.db = &db;
        services.paths.tempDir = dir;
        services.paths.replyFile = dir + "/reply.txt";
        services.paths.errorLog = dir + "/err.txt";
        services.paths.programDir = dir;
        services.configByte = [this](int offset) {
            return static_cast<int>(host.app.settings.config.Byte(static_cast<std::size_t>(offset)));
        };
        stack = std::make_unique<zev::sync::SyncStack>(std::move(services));
    }

    zev::SyncViewContext Context()
    {
        return {stack->Engine(), stack->Builder(), stack->Runner(), stack->Orders(), stack->Maint()};
    }

    FakeScreenHost host;
    zev::sync::ProfileAdapter profileAdapter;
    zev::SystemClock clock;
    NullSettings settings;
    FakeDb db;
    std::unique_ptr<zev::sync::SyncStack> stack;
};

QLineEdit* Edit(CZevBaseView& view, const char* name)
{
    return qobject_cast<QLineEdit*>(view.Control(QString::fromLatin1(name)));
}

} // namespace

class SyncViewsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fx = std::make_unique<Fixture>(m_dir->path().toStdString());
    }

    void cleanup()
    {
        m_fx.reset();
        m_dir.reset();
    }

    void threeWrongPasswordsEndTheProgram()
    {
        QVERIFY(m_fx->host.profile.SetPassword(FakeHash("secret")));
        CLoginView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        QLineEdit* password = Edit(view, "EDT_PASSWORD");
        QVERIFY(password);

        for (int attempt = 1; attempt <= 2; ++attempt) {
            password->setText(QStringLiteral("wrong"));
            view.OnLogin();
            QCOMPARE(m_fx->host.messages.TextIds(), std::vector<int>(static_cast<std::size_t>(attempt), 65012));
            QVERIFY(password->text().isEmpty());
            QVERIFY(m_fx->host.quitCodes.empty());
        }
        password->setText(QStringLiteral("wrong"));
        view.OnLogin();
        QCOMPARE(m_fx->host.quitCodes, std::vector<int>{2});
        QCOMPARE(m_fx->host.messages.TextIds().size(), std::size_t{2});
        QVERIFY(!m_fx->host.app.signedIn);
        QVERIFY(m_fx->host.switches.empty());
    }

    void emptyPasswordIsNotATry()
    {
        QVERIFY(m_fx->host.profile.SetPassword(FakeHash("secret")));
        CLoginView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        for (int i = 0; i < 5; ++i) {
            Edit(view, "EDT_PASSWORD")->setText(QStringLiteral("   "));
            view.OnLogin();
        }
        QCOMPARE(view.Attempts(), 0);
        QVERIFY(m_fx->host.messages.Boxes().empty());
        QVERIFY(m_fx->host.quitCodes.empty());
    }

    void rightPasswordWithoutDatabaseLeadsToMaintenance()
    {
        QVERIFY(m_fx->host.profile.SetPassword(FakeHash("secret")));
        m_fx->host.screens = {zev::Screen::Login, zev::Screen::Maintenance,
                              zev::Screen::InitialSetup}; // no account list in this build
        CLoginView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        Edit(view, "EDT_PASSWORD")->setText(QStringLiteral(" secret "));
        view.OnLogin();
        QVERIFY(m_fx->host.app.signedIn);
        QCOMPARE(m_fx->host.switches, std::vector<zev::Screen>{zev::Screen::Maintenance});
        QCOMPARE(m_fx->host.messages.TextIds(), std::vector<int>{65027});
    }

    void setupChecksTheUserId_data()
    {
        QTest::addColumn<QString>("userId");
        QTest::addColumn<int>("message");
        QTest::newRow("five digits") << "12345" << 65011;
        QTest::newRow("letter") << "12345A" << 65011;
        QTest::newRow("six digits") << "123456" << 0;
        QTest::newRow("empty") << "" << 65009;
    }

    void setupChecksTheUserId()
    {
        QFETCH(QString, userId);
        QFETCH(int, message);
        CInitialSetupView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        Edit(view, "EDT_USERID")->setText(userId);
        Edit(view, "EDT_PASSWORD")->setText(QStringLiteral("pw12"));
        Edit(view, "EDT_PASSWORDCONF")->setText(QStringLiteral("pw12"));
        view.OnOk();
        if (message == 0) {
            QVERIFY(m_fx->host.messages.Boxes().empty());
            QCOMPARE(m_fx->host.profile.UserID(), userId.toStdString());
            QCOMPARE(m_fx->host.profile.Password(), FakeHash("pw12"));
            QCOMPARE(m_fx->host.profile.GetText("ConnectionName"), std::string("Standard Internet"));
            QCOMPARE(m_fx->host.switches, std::vector<zev::Screen>{zev::Screen::Login});
        } else {
            QCOMPARE(m_fx->host.messages.TextIds(), std::vector<int>{message});
            QVERIFY(m_fx->host.profile.UserID().empty());
            QVERIFY(m_fx->host.switches.empty());
        }
    }

    void setupMismatchEmptiesBothPasswords()
    {
        CInitialSetupView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        Edit(view, "EDT_USERID")->setText(QStringLiteral("123456"));
        Edit(view, "EDT_PASSWORD")->setText(QStringLiteral("one"));
        Edit(view, "EDT_PASSWORDCONF")->setText(QStringLiteral("two"));
        view.OnOk();
        QCOMPARE(m_fx->host.messages.TextIds(), std::vector<int>{65010});
        QVERIFY(Edit(view, "EDT_PASSWORD")->text().isEmpty());
        QVERIFY(Edit(view, "EDT_PASSWORDCONF")->text().isEmpty());
        QCOMPARE(Edit(view, "EDT_USERID")->text(), QStringLiteral("123456"));
    }

    void managerModeHidesConnectButtons_data()
    {
        QTest::addColumn<bool>("manager");
        QTest::newRow("representative") << false;
        QTest::newRow("manager") << true;
    }

    void managerModeHidesConnectButtons()
    {
        QFETCH(bool, manager);
        m_fx->host.app.settings.config.SetByte(200, manager ? 1 : 0);
        CMaintenanceView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        view.show();
        QCOMPARE(view.Button("BTN_CONNECT")->isVisible(), !manager);
        QCOMPARE(view.Button("BTN_DISCONN")->isVisible(), !manager);
        QCOMPARE(view.Button("BTN_SWREPS")->isVisible(), manager);
        QCOMPARE(view.Button("BTN_EXPORTITEMS")->isVisible(), false);
        auto* group = qobject_cast<QGroupBox*>(view.Control(QStringLiteral("LBL_CONNGROUP")));
        QCOMPARE(group->title() == QStringLiteral("Options"), manager);
        QCOMPARE(view.Status()->text(), QStringLiteral("Ready."));
    }

    void sendRunsInBackgroundUnderTheBusyFlag()
    {
        CMaintenanceView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        QSignalSpy finished(&view, &CMaintenanceView::RunFinished);
        view.OnSendOrders();
        QVERIFY(m_fx->host.app.busy);
        QVERIFY(!view.CanLeave(zev::Screen::Accounts));
        view.OnSync(); // ignored while busy
        QVERIFY(finished.wait(5000));
        QVERIFY(!m_fx->host.app.busy);
        QVERIFY(view.CanLeave(zev::Screen::Accounts));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(m_fx->host.busyChanges, (std::vector<bool>{true, false}));
        // Nothing waited to be sent: 65102 and no error box.
        QCOMPARE(m_fx->host.messages.TextIds(), std::vector<int>{65102});
    }

    void defaultColumnsForgetSavedLayouts()
    {
        zev::SavedListLayout saved;
        QVERIFY(m_fx->host.profile.SaveListLayout("Accounts", saved));
        CMaintenanceView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        view.OnDefaultColumns();
        QVERIFY(!m_fx->host.profile.ListWidths("Accounts"));
        QVERIFY2(view.Status()->text().startsWith("Default columns restored"), qPrintable(view.Status()->text()));
    }

    void cancelledCompleteUpdatePutsTheStatusBack()
    {
        CMaintenanceView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        QSignalSpy finished(&view, &CMaintenanceView::RunFinished);
        m_fx->host.messages.Queue(zev::MbResult::Cancel);
        view.OnRenew();
        QVERIFY(finished.wait(5000));
        QCOMPARE(view.Status()->text(), QStringLiteral("Ready."));
        QCOMPARE(view.Progress()->value(), 0);
    }

    void everyMaintenanceCommandHasItsOwnKey_data()
    {
        QTest::addColumn<bool>("manager");
        QTest::newRow("representative") << false;
        QTest::newRow("manager") << true;
    }

    void everyMaintenanceCommandHasItsOwnKey()
    {
        QFETCH(bool, manager);
        m_fx->host.app.settings.config.SetByte(200, manager ? 1 : 0);
        m_fx->host.app.settings.config.SetByte(201, 1);
        CMaintenanceView view(m_fx->host, m_fx->Context());
        view.InitialUpdate();
        view.show();
        QMap<char, QString> keys;
        for (QPushButton* button : view.findChildren<QPushButton*>()) {
            if (!button->isVisible())
                continue;
            const char key = zev::AccessKeyOf(button->text().toStdString());
            QVERIFY2(key != 0, qPrintable(button->text()));
            QVERIFY2(!keys.contains(key), qPrintable(button->text() + " and " + keys.value(key)));
            QVERIFY2(key != 'f' && key != 'j' && key != 'h', "the menu bar keeps F, J and H");
            keys.insert(key, button->text());
        }
        QCOMPARE(keys.size(), manager ? 10 : 11);
    }

    void issueNeedsBothFields()
    {
        CReportIssueDlg dlg(m_fx->db, "100200", m_fx->host.messages, {});
        dlg.ShortDescription()->setText(QStringLiteral("  "));
        dlg.Details()->setPlainText(QStringLiteral("details"));
        dlg.accept();
        QCOMPARE(m_fx->host.messages.TextIds(), std::vector<int>{65064});
        QVERIFY(m_fx->db.executed.empty());
        dlg.ShortDescription()->setText(QStringLiteral("Printer"));
        dlg.Details()->setPlainText(QStringLiteral(""));
        dlg.accept();
        QCOMPARE(m_fx->host.messages.TextIds(), (std::vector<int>{65064, 65064}));
        QVERIFY(m_fx->db.executed.empty());
    }

    void issueIsStoredWithApostrophesDoubled()
    {
        m_fx->db.answers = {{"select count(*) from Issues", {{"2"}}}, {"select max(IssueID)", {{"8"}}}};
        QVERIFY(zev::sync::FileIssue(m_fx->db, "Joe's van", "It's 'broken'", "100200", true));
        QCOMPARE(m_fx->db.executed.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(m_fx->db.executed[0]),
                 QStringLiteral("insert Issues values (8, 'Joe''s van', 'It''s ''broken''', 100200, 1)"));
    }

    void failedIssueShows65065AndCloses()
    {
        m_fx->db.execResult = false;
        CReportIssueDlg dlg(m_fx->db, "100200", m_fx->host.messages, {});
        dlg.ShortDescription()->setText(QStringLiteral("Printer"));
        dlg.Details()->setPlainText(QStringLiteral("jams"));
        dlg.accept();
        QCOMPARE(m_fx->host.messages.TextIds(), std::vector<int>{65065});
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Fixture> m_fx;
};

QTEST_MAIN(SyncViewsTest)
#include "SyncViewsTest.moc"
