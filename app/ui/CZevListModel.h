#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

// The rows of a list control: text cells plus one value the screen attaches to
// each row (its record or key). Rows are replaced in bulk so lists of
// thousands of items fill in one step.
class CZevListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Format bytes of the list definitions: 0 left, 1 right, 2 centre.
    static Qt::Alignment AlignmentOf(int format);
    static const QColor& EvenRowColor();

    explicit CZevListModel(QObject* parent = nullptr);

    void SetColumns(const QStringList& headings, const std::vector<int>& formats);

    void Clear();
    int AppendRow(const QStringList& cells, const QVariant& rowData = {});
    void SetRows(std::vector<QStringList> rows, std::vector<QVariant> rowData = {});
    void RemoveRow(int row);
    void SetCell(int row, int column, const QString& text);
    QString Cell(int row, int column) const;
    QVariant RowData(int row) const;
    void SetRowData(int row, const QVariant& value);

    // Lets the screen decide a role for a cell itself (colours, fonts, check
    // marks); an invalid result falls back to the list's own drawing.
    using CellHook = std::function<QVariant(int row, int column, int role)>;
    void SetCellHook(CellHook hook) { m_hook = std::move(hook); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings;
    std::vector<int> m_formats;
    std::vector<QStringList> m_rows;
    std::vector<QVariant> m_rowData;
    CellHook m_hook;
};
