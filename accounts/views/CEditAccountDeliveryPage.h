#pragma once

#include "accounts/AccountEditor.h"
#include "app/ui/CZevPropertyPage.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

// The account editor's "Delivery" page: appointment and delivery days, city,
// state, zip, e-mail, phone and fax.
class CEditAccountDeliveryPage : public CZevPropertyPage {
    Q_OBJECT
public:
    CEditAccountDeliveryPage(const zev::AccountEditor& editor, QWidget* parent = nullptr);

    void Show(const zev::AccountEditData& data);
    void Take(zev::AccountEditData& data) const;
    QLineEdit* Field(zev::AccountEditor::Field field) const;
    QCheckBox* ApptDay(int day) const { return m_appt[static_cast<std::size_t>(day)]; }
    QCheckBox* DelivDay(int day) const { return m_deliv[static_cast<std::size_t>(day)]; }
    QLabel* DelivCaption() const { return m_delivCaption; }

private:
    const zev::AccountEditor& m_editor;
    std::array<QCheckBox*, 7> m_appt{};
    std::array<QCheckBox*, 7> m_deliv{};
    QLabel* m_delivCaption;
    std::array<QLineEdit*, 6> m_fields{};
};
