#pragma once

#include <string>
#include <vector>

namespace zev {

class IMessageBox;

struct FormEntry {
    int formId = 0;
    std::string name;
};

struct FormRow {
    int questionId = 0;
    std::string question;
    std::string answer;
    bool changed = false;
};

// One account's forms: the questions of the chosen form with the answers
// given so far, changed in place and saved in one transaction, each saved
// answer waiting for upload.
class FormFiller {
public:
    FormFiller(IMessageBox& messages, int accountId, int poolKey = 0);

    static std::vector<FormEntry> Forms(int poolKey = 0);

    // Lists the form's questions in order with this account's answers.
    void Select(int formId);
    int FormId() const { return m_formId; }
    const std::vector<FormRow>& Rows() const { return m_rows; }

    void SetAnswer(std::size_t row, const std::string& answer);
    bool Changed() const { return m_changed; }

    // Rewrites every changed answer (Updated 1); all or nothing.
    bool Save();
    // Before another form is chosen or the list closes: asks about unsaved
    // changes. Yes saves, No drops them; false (Cancel, or a failed save)
    // keeps the current form.
    bool ConfirmLeave();

    static constexpr const char* kSaveQuestion = "Changes have been made to this form.\n\nDo you want to save them?";

private:
    IMessageBox& m_messages;
    int m_accountId;
    int m_poolKey;
    int m_formId = 0;
    std::vector<FormRow> m_rows;
    bool m_changed = false;
};

} // namespace zev
