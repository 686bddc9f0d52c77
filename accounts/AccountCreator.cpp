#include "accounts/AccountCreator.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "tables/Items.h"
#include "tables/SqlText.h"
#include "tables/WorkOrder.h"
#include "tables/WorkOrderItems.h"

namespace zev {

AccountCreator::AccountCreator(IMessageBox& messages, CasePrice casePrice, int poolKey)
    : m_messages(messages), m_casePrice(std::move(casePrice)), m_poolKey(poolKey)
{
}

int AccountCreator::Create(const NewAccountRecord& record)
{
    if (SqlText::Trim(record.companyName).empty())
        return 0;
    auto fail = [this](const char* text) {
        m_messages.ShowText(text, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
    };

    const int accountId = Accounts(m_poolKey).createAccount(record);
    if (accountId == 0) {
        fail("Unable to create new account");
        return 0;
    }
    if (!WorkOrder(m_poolKey).insertNewGuide(accountId)) {
        fail("Unable to create new Order Guide");
        return accountId;
    }
    Items items(m_poolKey);
    if (!items.getTop(kStarterItems)) {
        // An empty catalogue simply gives an empty guide.
        if (!items.IsOpen())
            fail("Unable to get top 50");
        return accountId;
    }
    WorkOrderItems lines(m_poolKey);
    int lineNumber = 0;
    for (; !items.IsEOF(); items.MoveNext()) {
        WorkOrderLine line;
        line.accountId = accountId;
        line.workOrderId = kGuideNumber;
        line.itemId = items.getPK();
        line.catalogId = kCatalog;
        line.lineItemNumber = ++lineNumber;
        line.cDistPrice = m_casePrice ? m_casePrice(line.itemId, kCatalog) : 0.0;
        if (!lines.insertLine(line))
            break;
    }
    return accountId;
}

} // namespace zev
