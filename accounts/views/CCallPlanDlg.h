#pragma once

#include "accounts/CallPlanModel.h"
#include "app/ui/CZevDialog.h"

#include <vector>

namespace zev {
class IMessageBox;
}

class QListWidget;
class QRadioButton;
class QTreeWidget;

// "Call Plan": the accounts to call on a weekday beside all the others;
// moving accounts between the two lists rewrites their appointment days.
class CCallPlanDlg : public CZevDialog {
    Q_OBJECT
public:
    // `dayIndex` 0 (Sunday) ... 6 is the day chosen first; `messages` asks
    // before the whole week is cleared.
    CCallPlanDlg(int dayIndex, zev::IMessageBox& messages, QWidget* parent = nullptr);

    void ChooseDay(int dayIndex);
    void OnAdd();
    void OnRemove();
    void OnRemoveAll();
    // Asks first (No is the default); true when the week was cleared.
    bool OnClearWeek();

    const zev::CallPlanModel& Model() const { return m_model; }
    QListWidget* ScheduledList() const { return m_scheduled; }
    QTreeWidget* OthersList() const { return m_others; }

private:
    void FillLists();
    void FitColumns();
    std::vector<int> SelectedScheduled() const;
    std::vector<int> SelectedOthers() const;

    zev::CallPlanModel m_model;
    zev::IMessageBox& m_messages;
    QRadioButton* m_days[7];
    QListWidget* m_scheduled;
    QTreeWidget* m_others;
};
