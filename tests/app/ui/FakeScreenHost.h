#pragma once

#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/ZevFolders.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ScreenHost.h"
#include "tests/app/ui/FakeMessageBox.h"

#include <set>
#include <string>
#include <vector>

// A window stand-in for screens under test: records switch requests, titles
// and the end of the program; profile and settings file live in `dir`.
class FakeScreenHost final : public zev::IScreenHost {
public:
    explicit FakeScreenHost(const std::string& dir) : profile(dir + "/Satchel.ini"), folders(dir, dir)
    {
        app.programDir = dir;
        app.settingsFilePath = dir + "/ZevSatchel.INI";
    }

    void PostSwitchScreen(zev::Screen screen) override { switches.push_back(screen); }
    bool HasScreen(zev::Screen screen) const override { return screens.count(screen) != 0; }
    void SetScreenTitle(int n) override { title = "#" + std::to_string(n); }
    void SetScreenTitleText(const std::string& t) override { title = t; }
    zev::AppState& State() override { return app; }
    zev::DocumentState& Document() override { return document; }
    zev::Profile& UserProfile() override { return profile; }
    const zev::ZevFolders& Folders() const override { return folders; }
    void SetBusy(bool busy) override
    {
        app.busy = busy;
        busyChanges.push_back(busy);
    }
    zev::IMessageBox& Messages() override { return messages; }
    void Quit(int code) override { quitCodes.push_back(code); }

    zev::AppState app;
    zev::DocumentState document;
    zev::Profile profile;
    zev::ZevFolders folders;
    FakeMessageBox messages;
    std::set<zev::Screen> screens{zev::Screen::Login, zev::Screen::Maintenance, zev::Screen::InitialSetup};
    std::vector<zev::Screen> switches;
    std::vector<int> quitCodes;
    std::vector<bool> busyChanges;
    std::string title;
};
