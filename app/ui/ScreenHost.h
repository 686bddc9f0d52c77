#pragma once

#include "app/core/Screen.h"

#include <string>

namespace zev {

struct AppState;
struct DocumentState;
class IMessageBox;
class Profile;
class ZevFolders;

// What a screen may ask of the window that holds it. Screens never switch
// directly: they post a request that the frame handles after the current
// event handler returns.
class IScreenHost {
public:
    virtual ~IScreenHost() = default;

    virtual void PostSwitchScreen(Screen screen) = 0;
    // False for screens this build of the program does not have.
    virtual bool HasScreen(Screen screen) const = 0;
    virtual void SetScreenTitle(int titleNumber) = 0;
    virtual void SetScreenTitleText(const std::string& title) = 0;

    // The application's flags, paths and settings (settings file path, schema
    // file, distributor record).
    virtual AppState& State() = 0;
    virtual DocumentState& Document() = 0;
    virtual Profile& UserProfile() = 0;
    virtual const ZevFolders& Folders() const = 0;

    // Sets the busy flag and refreshes the commands that depend on it.
    virtual void SetBusy(bool busy) = 0;

    virtual IMessageBox& Messages() = 0;

    // Ends the program with `code` once control returns to the event loop.
    virtual void Quit(int code) = 0;
};

} // namespace zev
