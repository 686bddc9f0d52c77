#pragma once

#include "tabula/Query.h"

namespace zev {

// Inventory file imports waiting for upload.
class InvImport : public Query {
public:
    explicit InvImport(int poolKey = 0);
};

} // namespace zev
