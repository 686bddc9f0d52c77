#include "accounts/FormFiller.h"

#include "accounts/SurveyRunner.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "tables/FormQuestions.h"
#include "tables/Forms.h"
#include "tables/FormsFilled.h"

namespace zev {

namespace {
const char* const kNotSaved = "The form could not be saved, please try again or call your support contact.";
}

FormFiller::FormFiller(IMessageBox& messages, int accountId, int poolKey)
    : m_messages(messages), m_accountId(accountId), m_poolKey(poolKey)
{
}

std::vector<FormEntry> FormFiller::Forms(int poolKey)
{
    std::vector<FormEntry> forms;
    zev::Forms table(poolKey);
    if (table.getAll())
        for (; !table.IsEOF(); table.MoveNext())
            forms.push_back({table.GetFieldValueInt(0), SurveyRunner::Shown(table.GetFieldValueString(1))});
    return forms;
}

void FormFiller::Select(int formId)
{
    m_formId = formId;
    m_rows.clear();
    m_changed = false;
    FormQuestions questions(m_poolKey);
    if (questions.getOfForm(formId))
        for (; !questions.IsEOF(); questions.MoveNext())
            m_rows.push_back(
                {questions.GetFieldValueInt(1), SurveyRunner::Shown(questions.GetFieldValueString(2)), {}, false});
    questions.Close();
    FormsFilled filled(m_poolKey);
    if (filled.getOfAccount(formId, m_accountId)) {
        for (; !filled.IsEOF(); filled.MoveNext()) {
            const int questionId = filled.GetFieldValueInt(3);
            for (FormRow& row : m_rows)
                if (row.questionId == questionId)
                    row.answer = SurveyRunner::Shown(filled.GetFieldValueString(4));
        }
    }
}

void FormFiller::SetAnswer(std::size_t row, const std::string& answer)
{
    if (row >= m_rows.size() || m_rows[row].answer == answer)
        return;
    m_rows[row].answer = answer;
    m_rows[row].changed = true;
    m_changed = true;
}

bool FormFiller::Save()
{
    if (!m_changed)
        return true;
    FormsFilled filled(m_poolKey);
    if (filled.beginTransaction() == 0)
        return false;
    bool ok = true;
    for (const FormRow& row : m_rows) {
        if (!row.changed)
            continue;
        ok = filled.deleteAnswer(m_formId, m_accountId, row.questionId) != 0 &&
             filled.insertAnswer(m_formId, m_accountId, row.questionId, row.answer) != 0;
        if (!ok)
            break;
    }
    if (!ok || filled.commitTransaction() == 0) {
        filled.rollbackTransaction();
        m_messages.ShowText(kNotSaved, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    for (FormRow& row : m_rows)
        row.changed = false;
    m_changed = false;
    return true;
}

bool FormFiller::ConfirmLeave()
{
    if (!m_changed)
        return true;
    switch (m_messages.AskText(kSaveQuestion, ids::kCaptionQuestion, MbButtons::YesNoCancel, MbIcon::Question,
                               MbResult::Yes)) {
    case MbResult::Yes:
        return Save();
    case MbResult::No:
        m_changed = false;
        for (FormRow& row : m_rows)
            row.changed = false;
        return true;
    default:
        return false;
    }
}

} // namespace zev
