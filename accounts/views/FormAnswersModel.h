#pragma once

#include <QAbstractTableModel>

namespace zev {
class FormFiller;
}

// The forms dialog's list: one row per question of the chosen form, the
// answer cell edited in place and passed to the form logic.
class FormAnswersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FormAnswersModel(zev::FormFiller& filler, QObject* parent = nullptr);

    // Call after the form logic chose another form or reread it.
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    zev::FormFiller& m_filler;
};
