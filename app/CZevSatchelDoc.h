#pragma once

#include "accounts/CurrentAccount.h"
#include "app/ui/DocumentState.h"

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

private:
    zev::DocumentState m_state;
    zev::CurrentAccount m_current;
};
