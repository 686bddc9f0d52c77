#pragma once

#include <QDialog>

class QLineEdit;

// "Check Number": asks for the number of the check being collected.
class CCheckNumberDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kNumber = 1134;

    explicit CCheckNumberDlg(const QString& number, QWidget* parent = nullptr);
    QLineEdit* NumberField() const { return m_number; }
    QString Number() const;

private:
    QLineEdit* m_number;
};
