#pragma once

#include <string>

// How logic asks the user something. Texts and captions are string-table
// numbers; the GUI answers with a Qt dialog, the command-line companion on the
// terminal, tests with scripted answers. Logic never includes a toolkit.
namespace zev {

enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MbIcon { None, Information, Warning, Question, Stop };
enum class MbResult { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    // Shows string-table text `textId` with caption `captionId` (65099 "Error!",
    // 65097 "Information", 65098 "Warning!", 65124 "Question?").
    virtual MbResult Show(int textId, int captionId, MbButtons buttons, MbIcon icon) = 0;

    // The literal-text form, for texts composed at run time (server errors).
    virtual MbResult ShowText(const std::string& text, int captionId, MbButtons buttons, MbIcon icon) = 0;
};

} // namespace zev
