#include "accounts/views/FormAnswersModel.h"

#include "accounts/FormFiller.h"

#include <QFont>

FormAnswersModel::FormAnswersModel(zev::FormFiller& filler, QObject* parent)
    : QAbstractTableModel(parent), m_filler(filler)
{
}

void FormAnswersModel::Reload()
{
    beginResetModel();
    endResetModel();
}

int FormAnswersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_filler.Rows().size());
}

int FormAnswersModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant FormAnswersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const zev::FormRow& row = m_filler.Rows()[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return QString::fromStdString(index.column() == 0 ? row.question : row.answer);
    if (role == Qt::FontRole && index.column() == 1 && row.changed) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    return {};
}

QVariant FormAnswersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? tr("Question") : tr("Answer");
}

Qt::ItemFlags FormAnswersModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == 1)
        f |= Qt::ItemIsEditable;
    return f;
}

bool FormAnswersModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 1 || role != Qt::EditRole || index.row() >= rowCount())
        return false;
    m_filler.SetAnswer(static_cast<std::size_t>(index.row()), value.toString().toStdString());
    emit dataChanged(index, index);
    return true;
}
