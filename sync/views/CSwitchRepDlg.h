#pragma once

#include "app/ui/CZevDialog.h"
#include "sync/Maintenance.h"

#include <string>
#include <vector>

class QTreeWidget;

// Lists the representatives a manager looks after and returns the one chosen.
class CSwitchRepDlg : public CZevDialog {
    Q_OBJECT
public:
    using Rep = zev::sync::Maintenance::Rep;

    CSwitchRepDlg(std::vector<Rep> reps, const std::string& settingsPath, QWidget* parent = nullptr);

    // The chosen row, or null when none.
    const Rep* Chosen() const;

private:
    std::vector<Rep> m_reps;
    QTreeWidget* m_list;
};
