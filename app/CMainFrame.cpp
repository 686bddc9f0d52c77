#include "app/CMainFrame.h"

#include "app/CAboutDlg.h"
#include "app/CommandTable.h"
#include "app/core/CZevSettings.h"
#include "app/core/IniReader.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/StringTable.h"
#include "app/core/WindowPlacement.h"
#include "app/ui/CZevBaseView.h"
#include "app/ui/DocumentState.h"
#include "app/ui/QtMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <utility>

namespace {

QIcon CommandIcon(const zev::CommandDef& def)
{
    return QIcon::fromTheme(QString::fromLatin1(def.themeIcon), QIcon(QString::fromLatin1(def.bundledIcon)));
}

int TitleNumberOf(zev::Screen screen)
{
    for (const auto& s : zev::kScreens)
        if (s.screen == screen)
            return s.titleNumber;
    return -1;
}

bool KnownScreen(zev::Screen screen)
{
    for (const auto& s : zev::kScreens)
        if (s.screen == screen)
            return true;
    return false;
}

} // namespace

CMainFrame::CMainFrame(Context context, QWidget* parent)
    : QMainWindow(parent), m_ctx(context), m_placementTimer(new QTimer(this))
{
    setWindowIcon(QIcon(QStringLiteral(":/icons/satchel.png")));
    m_title = QString::fromStdString(zev::LoadText(zev::ids::kAppTitle));
    if (m_title.isEmpty())
        m_title = QStringLiteral("Satchel");
    ShowTitle();
    // Placement is written once the window has settled, not on every pixel
    // of a drag.
    m_placementTimer->setSingleShot(true);
    m_placementTimer->setInterval(250);
    connect(m_placementTimer, &QTimer::timeout, this, &CMainFrame::SavePlacement);
    statusBar()->showMessage(tr("Ready"));
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::RegisterScreen(zev::Screen screen, ScreenFactory factory) { m_factories[screen] = std::move(factory); }

bool CMainFrame::HasScreen(zev::Screen screen) const { return m_factories.count(screen) != 0; }

void CMainFrame::SetCommandHandler(int command, std::function<void()> handler)
{
    m_handlers[command] = std::move(handler);
}

const zev::ZevConfig& CMainFrame::Config() const { return m_ctx.app.settings.config; }

// A command is offered when the distributor switched its feature on and the
// program has what it opens. A feature switched off is gone from the toolbar
// as well as the menu.
bool CMainFrame::Offered(int command) const
{
    for (const auto& def : zev::kCommands) {
        if (def.id != command)
            continue;
        if (def.switchByte >= 0) {
            const bool on = Config().IsOn(static_cast<std::size_t>(def.switchByte)) ||
                            (def.altSwitchByte >= 0 && Config().IsOn(static_cast<std::size_t>(def.altSwitchByte)));
            if (!on)
                return false;
        }
        if (def.screen != zev::Screen::None)
            return HasScreen(def.screen);
        if (def.id == zev::kCmdExit)
            return true;
        return m_handlers.count(def.id) != 0;
    }
    return false;
}

void CMainFrame::BuildCommands()
{
    // File > Export writes the current screen's table; screens without one
    // leave it greyed.
    QMenu* file = menuBar()->addMenu(tr("&File"));
    m_export = new QAction(QIcon::fromTheme(QStringLiteral("document-save-as")), tr("&Export..."), this);
    m_export->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+E")));
    m_export->setStatusTip(tr("Export the table shown as a CSV file"));
    connect(m_export, &QAction::triggered, this, [this] {
        UpdateExport();
        if (m_export->isEnabled() && m_view)
            m_view->Export();
    });
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateExport);
    file->addAction(m_export);

    QMenu* jump = menuBar()->addMenu(tr("&JumpTo"));
    std::map<std::string, QMenu*> submenus;
    for (const auto& def : zev::kCommands) {
        if (!Offered(def.id))
            continue;
        auto* action = new QAction(CommandIcon(def), QString::fromUtf8(def.text), this);
        action->setStatusTip(QString::fromUtf8(def.statusText));
        action->setToolTip(QString::fromUtf8(def.statusText));
        action->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
        action->setData(def.id);
        const int id = def.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_actions[def.id] = action;

        QMenu* target = jump;
        if (def.menu[0] != '\0') {
            QMenu*& sub = submenus[def.menu];
            if (!sub)
                sub = jump->addMenu(QString::fromUtf8(def.menu));
            target = sub;
        }
        if (def.id == zev::kCmdExit)
            target->addSeparator();
        target->addAction(action);
    }

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    auto* about =
        new QAction(QIcon::fromTheme(QStringLiteral("help-about"), QIcon(QStringLiteral(":/icons/about.png"))),
                    tr("&About ZevSatchel..."), this);
    about->setShortcut(QKeySequence::HelpContents);
    connect(about, &QAction::triggered, this, [this] { RunCommand(zev::kCmdAbout); });
    m_actions[zev::kCmdAbout] = about;
    help->addAction(about);

    m_toolbar = addToolBar(tr("Main"));
    m_toolbar->setObjectName(QStringLiteral("MainToolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bool pendingSeparator = false;
    for (int id : zev::kToolbar) {
        if (id == 0) {
            pendingSeparator = !m_toolbar->actions().isEmpty();
            continue;
        }
        auto it = m_actions.find(id);
        if (it == m_actions.end())
            continue;
        if (pendingSeparator)
            m_toolbar->addSeparator();
        pendingSeparator = false;
        m_toolbar->addAction(it->second);
    }
    UpdateCommands();
}

QAction* CMainFrame::Action(int command) const
{
    auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::UpdateCommands()
{
    const zev::AppState& app = m_ctx.app;
    const zev::Screen current = app.currentScreen;
    for (const auto& def : zev::kCommands) {
        QAction* action = Action(def.id);
        if (!action)
            continue;
        bool enabled;
        if (def.id == zev::kCmdExit)
            enabled = !app.busy;
        else
            enabled = !app.busy && app.signedIn && current != def.screen && current != zev::Screen::OrderSummary &&
                      current != zev::Screen::DeliveryOptions;
        action->setEnabled(enabled);
    }
    if (QAction* about = Action(zev::kCmdAbout))
        about->setEnabled(!app.busy);
    UpdateExport();
}

void CMainFrame::UpdateExport()
{
    if (m_export)
        m_export->setEnabled(!m_ctx.app.busy && m_view && m_view->CanExport());
}

void CMainFrame::RunCommand(int command)
{
    // The shortcut of a disabled command must not slip through.
    if (QAction* action = Action(command); action && !action->isEnabled())
        return;
    if (command == zev::kCmdExit) {
        close();
        return;
    }
    if (command == zev::kCmdAbout) {
        ShowAbout();
        return;
    }
    for (const auto& def : zev::kCommands) {
        if (def.id != command)
            continue;
        if (def.screen != zev::Screen::None) {
            PostSwitchScreen(def.screen);
        } else if (auto it = m_handlers.find(command); it != m_handlers.end()) {
            if (m_toolbar)
                m_toolbar->setEnabled(false);
            it->second();
            if (m_toolbar)
                m_toolbar->setEnabled(true);
        }
        return;
    }
}

void CMainFrame::RunCommandWhenIdle(int command)
{
    if (m_ctx.app.busy) {
        m_pendingCommand = command;
        return;
    }
    RunCommand(command);
}

void CMainFrame::OfferCommandFrom(QtMessageBox& box, int textId, int command, const QString& label)
{
    // The box may outlive the window at the program's end.
    QPointer<CMainFrame> self(this);
    auto offered = [self, command] {
        if (!self || !self->Action(command) || !self->m_ctx.app.signedIn)
            return false;
        for (const auto& def : zev::kCommands)
            if (def.id == command)
                return def.screen == zev::Screen::None || def.screen != self->m_ctx.app.currentScreen;
        return false;
    };
    box.OfferAction(textId, label, offered, [self, command] {
        if (self)
            self->RunCommandWhenIdle(command);
    });
}

void CMainFrame::ShowAbout()
{
    CAboutDlg dlg(Config(), m_ctx.app.settingsFilePath, this);
    dlg.exec();
}

void CMainFrame::SetStartView(CZevBaseView* view)
{
    view->setParent(this);
    setCentralWidget(view);
    m_view = view;
    view->InitialUpdate();
}

zev::Screen CMainFrame::SwitchScreen(zev::Screen n, bool reload)
{
    const zev::Screen previous = m_ctx.app.currentScreen;
    if (n == previous && !reload)
        return previous;
    // A switch to a screen this program does not have is a fault of the
    // caller, not a choice of the user: say so in the log, change nothing.
    auto factory = m_factories.find(n);
    if (!KnownScreen(n) || factory == m_factories.end()) {
        qWarning("ZevSatchel: switch to screen %d refused: %s", zev::ScreenNumber(n),
                 KnownScreen(n) ? "that screen is not in this program yet" : "there is no such screen");
        return previous;
    }
    if (m_view && !m_view->CanLeave(n))
        return previous;

    CZevBaseView* view = factory->second(*this);
    if (!view) {
        qWarning("ZevSatchel: screen %d could not be built", zev::ScreenNumber(n));
        return previous;
    }
    m_ctx.app.currentScreen = n;
    if (const int title = TitleNumberOf(n); title >= 0)
        SetScreenTitle(title);
    // Reparenting drops the focus a screen gave one of its fields while it
    // was built; remember it and give it back once the screen shows.
    QPointer<QWidget> chosen = view->focusWidget();
    view->setParent(this);
    view->InitialUpdate();
    if (QWidget* later = view->focusWidget())
        chosen = later;

    CZevBaseView* old = m_view;
    if (old)
        old->hide();
    takeCentralWidget();
    setCentralWidget(view);
    m_view = view;
    view->show();
    // Keep the field the screen chose (the password on sign-in); only a
    // screen that chose none takes the focus itself.
    if (chosen && view->isAncestorOf(chosen.data()))
        chosen->setFocus();
    else
        view->setFocus();
    delete old;

    UpdateCommands();
    emit ScreenSwitched(n);
    return previous;
}

void CMainFrame::PostSwitchScreen(zev::Screen screen)
{
    QMetaObject::invokeMethod(
        this, [this, screen] { SwitchScreen(screen); }, Qt::QueuedConnection);
}

void CMainFrame::SetScreenTitle(int titleNumber)
{
    std::string title = Config().Title(titleNumber);
    if (m_ctx.app.accountCurrent)
        title += " (" + m_ctx.document.accountNumber + ") " + m_ctx.document.accountName;
    m_title = QString::fromStdString(title);
    ShowTitle();
}

void CMainFrame::SetScreenTitleText(const std::string& title)
{
    std::string text = title;
    if (m_ctx.app.accountCurrent)
        text += " (" + m_ctx.document.accountNumber + ") " + m_ctx.document.accountName;
    m_title = QString::fromStdString(text);
    ShowTitle();
}

// While the window is inactive it shows only the program's name, so an
// account's name is not left on screen in the task switcher.
void CMainFrame::ShowTitle()
{
    if (isVisible() && !isActiveWindow())
        setWindowTitle(QString::fromStdString(zev::LoadText(zev::ids::kAppTitle)));
    else
        setWindowTitle(m_title);
}

void CMainFrame::SetBusy(bool busy)
{
    m_ctx.app.busy = busy;
    UpdateCommands();
    // What the user chose while the program worked follows once it is done,
    // after the handler that cleared the flag has finished.
    if (!busy && m_pendingCommand != 0) {
        const int command = std::exchange(m_pendingCommand, 0);
        QMetaObject::invokeMethod(
            this, [this, command] { RunCommandWhenIdle(command); }, Qt::QueuedConnection);
    }
}

void CMainFrame::Quit(int code)
{
    m_exitConfirmed = true;
    QMetaObject::invokeMethod(
        qApp, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
}

bool CMainFrame::ConfirmExit()
{
    if (m_ctx.app.busy)
        return false;
    if (m_ctx.messages.Show(zev::ids::kExitQuestion, zev::ids::kCaptionQuestion, zev::MbButtons::YesNo,
                            zev::MbIcon::Question) != zev::MbResult::Yes)
        return false;
    if (m_view && !m_view->CanLeave(zev::Screen::None))
        return false;
    CZevBaseView* old = m_view;
    takeCentralWidget();
    m_view = nullptr;
    delete old;
    m_ctx.app.currentScreen = zev::Screen::None;
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_exitConfirmed || ConfirmExit()) {
        m_exitConfirmed = true;
        SavePlacement();
        event->accept();
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        return;
    }
    event->ignore();
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        ShowTitle();
    } else if (event->type() == QEvent::WindowStateChange) {
        if (!isMinimized())
            m_ctx.app.maximized = isMaximized();
        m_placementTimer->start();
    }
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (isVisible())
        m_placementTimer->start();
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isVisible())
        m_placementTimer->start();
}

void CMainFrame::SavePlacement()
{
    if (!isVisible() || isMinimized())
        return;
    zev::Profile& profile = m_ctx.profile;
    // Losing the placement only costs the user a window move; never fatal.
    if (isMaximized()) {
        (void)profile.SetText("Maximized", "MAX");
        return;
    }
    const QRect g = geometry();
    const zev::WindowPlacement placement{g.top(), g.left(), g.top() + g.height(), g.left() + g.width()};
    (void)profile.SetText("Application", placement.Text());
    (void)profile.SetText("Maximized", "No");
}

void CMainFrame::RestorePlacement()
{
    QRect available(0, 0, 1024, 768);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        available = screen->availableGeometry();
    resize(available.width() * 5 / 6, available.height() * 5 / 6);

    if (const auto stored = zev::WindowPlacement::Parse(m_ctx.profile.GetText("Application")))
        setGeometry(stored->left, stored->top, stored->Width(), stored->Height());

    if (m_ctx.profile.GetText("Maximized") == "MAX")
        m_ctx.app.maximized = true;
    const std::string windowed = zev::ReadIniValue("GENERAL", "WINDOWED", "1", 1, m_ctx.app.settingsFilePath);
    if (!windowed.empty() && windowed[0] == '0')
        m_ctx.app.maximized = true;
}

void CMainFrame::ShowFirstTime()
{
    if (m_ctx.app.maximized)
        showMaximized();
    else
        show();
}
