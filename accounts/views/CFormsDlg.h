#pragma once

#include "accounts/FormFiller.h"
#include "app/ui/CZevDialog.h"

#include <vector>

class FormAnswersModel;
class QComboBox;
class QPushButton;
class QTableView;

namespace zev {
class IMessageBox;
}

// "Forms": the distributor's forms for one account, answered in a two-column
// list and saved per account.
class CFormsDlg : public CZevDialog {
    Q_OBJECT
public:
    CFormsDlg(int accountId, zev::IMessageBox& messages, QWidget* parent = nullptr);
    ~CFormsDlg() override;

    // Chooses the form at that position of the drop-down (asks first about
    // unsaved changes; false when the user stays).
    bool ChooseForm(int index);
    void OnSave();

    QComboBox* FormBox() const { return m_forms; }
    QTableView* List() const { return m_list; }
    FormAnswersModel* Answers() const { return m_model; }
    const zev::FormFiller& Filler() const { return m_filler; }

    void reject() override;

private:
    zev::FormFiller m_filler;
    std::vector<zev::FormEntry> m_entries;
    QComboBox* m_forms;
    QTableView* m_list;
    FormAnswersModel* m_model;
    QPushButton* m_save;
    int m_shown = -1;
};
