#pragma once

#include "accounts/CurrentAccount.h"
#include "app/ui/DocumentState.h"
#include "orders/OrderHeader.h"

// The document: what survives screen switches. When it goes, the shared
// database connection goes with it.
class CZevSatchelDoc {
public:
    CZevSatchelDoc() = default;
    ~CZevSatchelDoc();
    CZevSatchelDoc(const CZevSatchelDoc&) = delete;
    CZevSatchelDoc& operator=(const CZevSatchelDoc&) = delete;

    zev::DocumentState& State() { return m_state; }
    // The current account and day of the account list, kept for every account screen.
    zev::CurrentAccount& Current() { return m_current; }
    // The order being placed, from the order guide until it is saved.
    zev::OrderHeader& Order() { return m_order; }

private:
    zev::DocumentState m_state;
    zev::CurrentAccount m_current;
    zev::OrderHeader m_order;
};
