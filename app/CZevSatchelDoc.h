#pragma once

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

private:
    zev::DocumentState m_state;
};
