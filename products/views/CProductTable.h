#pragma once

#include <QTableView>

#include <vector>

class CZevListModel;

namespace zev {

// A read-only list of the product screens: whole-row selection, fixed
// columns (caption, alignment as the list formats have it, width in
// pixels), rows replaced in one step.
class CProductTable : public QTableView {
public:
    struct Column {
        QString caption;
        int format = 0; // 0 left, 1 right
        int width = 80;
    };

    CProductTable(const char* name, const QString& accessibleName, const std::vector<Column>& columns,
                  QWidget* parent = nullptr);

    CZevListModel* Model() const { return m_model; }
    // The selected row, -1 when none.
    int CurrentRow() const;
    void SelectRow(int row);

private:
    CZevListModel* m_model;
};

} // namespace zev
