#pragma once

#include "app/ui/CZevListCtrl.h"

#include <vector>

// A list with a check box in its first column. A click on the box or the
// space bar on the current row toggles it.
class CCheckListCtrl : public CZevListCtrl {
    Q_OBJECT
public:
    explicit CCheckListCtrl(QWidget* parent = nullptr);

    // Sets the columns from list `number`, or from `fallback` headings when
    // the distributor's record does not define that list.
    void SetupOr(int number, const zev::ZevConfig& config, zev::Profile* profile, const QStringList& fallback);

    // Replaces the rows; `checked` gives the starting checks.
    void SetRows(std::vector<QStringList> rows, std::vector<bool> checked);
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    const std::vector<bool>& Checks() const { return m_checks; }

signals:
    void CheckChanged(int row, bool checked);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<bool> m_checks;
};
