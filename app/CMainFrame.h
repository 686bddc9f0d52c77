#pragma once

#include "app/ui/ScreenHost.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>

class CZevBaseView;
class QtMessageBox;
class QAction;
class QTimer;
class QToolBar;

namespace zev {
class ZevConfig;
}

// The main window: one screen at a time, the command menu and toolbar, the
// window placement kept in the profile, and the exit confirmation.
class CMainFrame : public QMainWindow, public zev::IScreenHost {
    Q_OBJECT
public:
    struct Context {
        zev::AppState& app;
        zev::DocumentState& document;
        zev::Profile& profile;
        const zev::ZevFolders& folders;
        zev::IMessageBox& messages;
    };
    using ScreenFactory = std::function<CZevBaseView*(zev::IScreenHost& host)>;

    explicit CMainFrame(Context context, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Screens the program has; a number without a factory is never offered.
    void RegisterScreen(zev::Screen screen, ScreenFactory factory);
    bool HasScreen(zev::Screen screen) const override;
    // Commands that are not screen switches (the product window).
    void SetCommandHandler(int command, std::function<void()> handler);

    // Builds the menu and toolbar from the commands the record switches on and
    // the screens registered. Call once, after registering.
    void BuildCommands();

    // Window placement from the profile ("Application", "Maximized") and
    // GENERAL/WINDOWED; then shows the window maximized or normally.
    void RestorePlacement();
    void ShowFirstTime();

    // The first view, before any screen number is current.
    void SetStartView(CZevBaseView* view);

    // Replaces the current screen by screen `n`; returns the screen number
    // that was current. Nothing happens for the current number (unless
    // `reload`: the screen is then built again from the database) or when the
    // current screen refuses to leave; an unknown or unregistered number is
    // logged as an error and changes nothing.
    zev::Screen SwitchScreen(zev::Screen n, bool reload = false);
    CZevBaseView* CurrentView() const { return m_view; }

    // Runs `command` as its menu item would: at once when the program is
    // idle, otherwise as soon as it is idle again.
    void RunCommandWhenIdle(int command);
    // Gives the box of text `textId` a button `label` that leads on to
    // `command`; offered while the command exists, the user is signed in and
    // the command would lead away from the current screen.
    void OfferCommandFrom(QtMessageBox& box, int textId, int command, const QString& label);

    // Enables the commands by the busy, signed-in and current-screen rules.
    void UpdateCommands();
    QAction* Action(int command) const;
    // File > Export, enabled while the current screen has something to export.
    QAction* ExportAction() const { return m_export; }
    void UpdateExport();
    // The screen's title; the window shows it while active, "Satchel" otherwise.
    const QString& Title() const { return m_title; }

    // Asks 65008 and, on Yes, lets the current screen refuse; true when the
    // program may end (the screen is then gone).
    bool ConfirmExit();

    // IScreenHost
    void PostSwitchScreen(zev::Screen screen) override;
    void SetScreenTitle(int titleNumber) override;
    void SetScreenTitleText(const std::string& title) override;
    zev::AppState& State() override { return m_ctx.app; }
    zev::DocumentState& Document() override { return m_ctx.document; }
    zev::Profile& UserProfile() override { return m_ctx.profile; }
    const zev::ZevFolders& Folders() const override { return m_ctx.folders; }
    void SetBusy(bool busy) override;
    zev::IMessageBox& Messages() override { return m_ctx.messages; }
    void Quit(int code) override;

signals:
    void ScreenSwitched(zev::Screen screen);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RunCommand(int command);
    void ShowAbout();
    void SavePlacement();
    void ShowTitle();
    bool Offered(int command) const;
    const zev::ZevConfig& Config() const;

    Context m_ctx;
    std::map<zev::Screen, ScreenFactory> m_factories;
    std::map<int, std::function<void()>> m_handlers;
    std::map<int, QAction*> m_actions;
    QToolBar* m_toolbar = nullptr;
    QAction* m_export = nullptr;
    QPointer<CZevBaseView> m_view;
    QString m_title;
    QTimer* m_placementTimer;
    bool m_exitConfirmed = false;
    int m_pendingCommand = 0; // asked for while busy
};
