#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// At most one callback per account: a day index 0..6 (-1 = no day) and notes.
// Read with getByPK: column 1 = CallbackDay, 2 = CallbackNotes. Notes are raw
// text; they are trimmed and their apostrophes doubled here.
class Callback : public Query {
public:
    explicit Callback(int poolKey = 0);

    int add(int accountId, int callbackDay, const std::string& notes);
    int change(int accountId, int callbackDay, const std::string& notes);
    int remove(int accountId);
};

} // namespace zev
