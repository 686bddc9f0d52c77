#pragma once

#include "accounts/AccountEditor.h"
#include "app/ui/CZevPropertyPage.h"

class QLineEdit;

// The account editor's "General" page: name, contacts and address lines.
class CEditAccountGeneral : public CZevPropertyPage {
    Q_OBJECT
public:
    CEditAccountGeneral(const zev::AccountEditor& editor, QWidget* parent = nullptr);

    void Show(const zev::AccountEditData& data);
    void Take(zev::AccountEditData& data) const;
    QLineEdit* Field(zev::AccountEditor::Field field) const;

private:
    QLineEdit* m_fields[5] = {};
};
