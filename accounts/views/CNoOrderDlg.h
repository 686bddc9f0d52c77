#pragma once

#include "accounts/CallPlanner.h"
#include "app/ui/CZevDialog.h"

#include <string>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// "No Sale / No Call": why a call brought no order, with an optional note.
class CNoOrderDlg : public CZevDialog {
    Q_OBJECT
public:
    // Empty captions keep the dialog's own; `noteMaxLength` caps the note.
    CNoOrderDlg(const std::string& noSaleCaption, const std::string& noCallCaption, int noteMaxLength,
                QWidget* parent = nullptr);

    zev::CallPlanner::NoOrderReason Reason() const;
    std::string Note() const;

    QRadioButton* NoSaleChoice() const { return m_noSale; }
    QRadioButton* NoCallChoice() const { return m_noCall; }
    QPlainTextEdit* NoteBox() const { return m_note; }
    QPushButton* OkButton() const { return m_ok; }

private:
    void LimitNote();

    QRadioButton* m_noSale;
    QRadioButton* m_noCall;
    QPlainTextEdit* m_note;
    QPushButton* m_ok;
    int m_maxLength;
};
