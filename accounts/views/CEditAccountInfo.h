#pragma once

#include "accounts/AccountEditor.h"
#include "app/ui/CZevPropertyPage.h"

#include <string>

class CEditAccountDeliveryPage;
class CEditAccountGeneral;

namespace zev {
class IMessageBox;
class ZevConfig;
} // namespace zev

// The account editor ("Edit Account"): the general and delivery pages over the
// editor data; OK writes the account back.
class CEditAccountInfo : public CZevPropertySheet {
    Q_OBJECT
public:
    CEditAccountInfo(const zev::AccountEditor& editor, zev::AccountEditData data, QWidget* parent = nullptr);

    // The data as the pages hold it now.
    zev::AccountEditData Data() const;
    CEditAccountGeneral* General() const { return m_general; }
    CEditAccountDeliveryPage* Delivery() const { return m_delivery; }

    // Opens the editor on the account and saves it when confirmed; true when
    // the account was written.
    static bool EditAccount(QWidget* parent, int accountId, const zev::ZevConfig& config, zev::IMessageBox& messages,
                            const std::string& settingsPath);

private:
    zev::AccountEditData m_data;
    CEditAccountGeneral* m_general;
    CEditAccountDeliveryPage* m_delivery;
};
