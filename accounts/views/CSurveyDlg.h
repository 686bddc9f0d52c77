#pragma once

#include "accounts/SurveyRunner.h"
#include "app/ui/CZevDialog.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zev {
class IClock;
class IMessageBox;
} // namespace zev

// The step-by-step survey: one question per page with the control of its
// kind, "<< Back" and "Next >>". Ends with OK when the last page is confirmed
// and the survey saved; backing out of the first page cancels it.
class CSurveyDlg : public CZevDialog {
    Q_OBJECT
public:
    CSurveyDlg(zev::IMessageBox& messages, const zev::IClock& clock, QWidget* parent = nullptr);

    // False when the survey does not exist.
    bool Open(int surveyId, int accountId, int doneId = 0);

    void OnNext();
    void OnBack();

    const zev::SurveyRunner& Runner() const { return m_runner; }
    QLabel* Question() const { return m_question; }
    QLineEdit* TextBox() const { return m_text; }
    QComboBox* Choices() const { return m_choices; }
    QRadioButton* Radio(int i) const { return m_radios[i]; }
    QListWidget* CheckList() const { return m_checks; }
    QDateEdit* DatePicker() const { return m_date; }
    QLineEdit* NotesBox() const { return m_notes; }

private:
    void ShowPage();
    std::string PageAnswer() const;

    zev::SurveyRunner m_runner;
    QLabel* m_counter;
    QLabel* m_question;
    QLineEdit* m_text;
    QComboBox* m_choices;
    QRadioButton* m_radios[2];
    QListWidget* m_checks;
    QDateEdit* m_date;
    QLabel* m_notesLabel;
    QLineEdit* m_notes;
    QPushButton* m_back;
    QPushButton* m_next;
};
