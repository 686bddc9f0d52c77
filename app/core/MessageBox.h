#pragma once

#include <string>

// How logic asks the user something. Texts and captions are string-table
// numbers; the GUI answers with a Qt dialog, the command-line companion on the
// terminal, tests with scripted answers. Logic never includes a toolkit.
namespace zev {

enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MbIcon { None, Information, Warning, Question, Stop };
enum class MbResult { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

// A box's caption: a string-table number of its own type, so a text number
// cannot be passed where a caption goes. The common four have names; a box
// with a caption of its own spells it Caption{65038}.
enum class Caption : int { Information = 65097, Warning = 65098, Error = 65099, Question = 65124 };

constexpr int CaptionNumber(Caption caption) { return static_cast<int>(caption); }

// The first button of a set: the default answer unless the caller names another.
constexpr MbResult FirstButton(MbButtons buttons)
{
    switch (buttons) {
    case MbButtons::YesNo:
    case MbButtons::YesNoCancel:
        return MbResult::Yes;
    case MbButtons::RetryCancel:
        return MbResult::Retry;
    case MbButtons::Ok:
    case MbButtons::OkCancel:
        break;
    }
    return MbResult::Ok;
}

// Whether `result` is one of the answers `buttons` offers.
constexpr bool Offers(MbButtons buttons, MbResult result)
{
    switch (result) {
    case MbResult::Ok:
        return buttons == MbButtons::Ok || buttons == MbButtons::OkCancel;
    case MbResult::Cancel:
        return buttons == MbButtons::OkCancel || buttons == MbButtons::YesNoCancel || buttons == MbButtons::RetryCancel;
    case MbResult::Retry:
        return buttons == MbButtons::RetryCancel;
    case MbResult::Yes:
    case MbResult::No:
        return buttons == MbButtons::YesNo || buttons == MbButtons::YesNoCancel;
    }
    return false;
}

class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    // Shows string-table text `textId` under `caption`. The first button is
    // the default (the answer Enter gives).
    virtual MbResult Show(int textId, Caption caption, MbButtons buttons, MbIcon icon) = 0;

    // The literal-text form, for texts composed at run time (server errors).
    virtual MbResult ShowText(const std::string& text, Caption caption, MbButtons buttons, MbIcon icon) = 0;

    // A question whose default answer is `defaultButton`. Questions whose Yes
    // destroys data pass MbResult::No, so a hurried Enter keeps the data. An
    // answerer with no default to mark (a script) may keep these forwards.
    virtual MbResult Ask(int textId, Caption caption, MbButtons buttons, MbIcon icon, MbResult defaultButton)
    {
        (void)defaultButton;
        return Show(textId, caption, buttons, icon);
    }
    virtual MbResult AskText(const std::string& text, Caption caption, MbButtons buttons, MbIcon icon,
                             MbResult defaultButton)
    {
        (void)defaultButton;
        return ShowText(text, caption, buttons, icon);
    }
};

} // namespace zev
