#pragma once

#include "app/ui/CZevDialog.h"

class CZevListCtrl;
class QPushButton;

namespace zev {
class IClock;
class IMessageBox;
} // namespace zev

// "Custom POS Builder": point-of-sale items built for one account through the
// survey dialog; built items can be modified or removed.
class CCustomPosDlg : public CZevDialog {
    Q_OBJECT
public:
    CCustomPosDlg(int accountId, zev::IMessageBox& messages, const zev::IClock& clock, QWidget* parent = nullptr);

    void OnBuild();
    void OnModify();
    void OnRemove();

    CZevListCtrl* Items() const { return m_items; }
    CZevListCtrl* Built() const { return m_built; }

private:
    void FillBuilt();
    void UpdateButtons();
    int Selected(CZevListCtrl* list) const;

    int m_accountId;
    zev::IMessageBox& m_messages;
    const zev::IClock& m_clock;
    CZevListCtrl* m_items;
    CZevListCtrl* m_built;
    QPushButton* m_build;
    QPushButton* m_modify;
    QPushButton* m_remove;
};
