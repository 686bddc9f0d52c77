#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace zev {
class IMessageBox;
}

// "Collect": the amount of a collection typed or keyed on the keypad, with
// the payment method, and for a check its number. Accepts only an amount the
// invoice allows.
class CCollectDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAmount = 1318;
    static constexpr int kPayment = 1335;
    static constexpr int kClear = 1000;

    // The check number asked when "Check" is chosen; nullopt when cancelled.
    using CheckNumberSource = std::function<std::optional<std::string>(QWidget* parent, const std::string& current)>;

    CCollectDlg(std::int64_t limitCents, int paymentType, std::string checkNumber, zev::IMessageBox& messages,
                QWidget* parent = nullptr);

    void SetCheckNumberSource(CheckNumberSource source) { m_checkSource = std::move(source); }

    QLineEdit* AmountField() const { return m_amount; }
    QComboBox* PaymentList() const { return m_payment; }
    // Keypad buttons by control id (1288 "1" ... 1334 "."), and kClear.
    QPushButton* Key(int id) const;

    std::int64_t AmountCents() const { return m_amountCents; }
    int PaymentType() const;
    const std::string& CheckNumber() const { return m_checkNumber; }

    void accept() override;

private:
    std::int64_t m_limit;
    std::int64_t m_amountCents = 0;
    std::string m_checkNumber;
    zev::IMessageBox& m_messages;
    QLineEdit* m_amount;
    QComboBox* m_payment;
    std::map<int, QPushButton*> m_keys;
    CheckNumberSource m_checkSource;
};
