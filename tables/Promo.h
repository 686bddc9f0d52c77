#pragma once

#include "tabula/Query.h"

namespace zev {

// Promotions: line 0 of each promotion is its header, the other lines its items.
class Promo : public Query {
public:
    explicit Promo(int poolKey = 0);

    int getHeaders();
    int getLines(int promoId);
};

} // namespace zev
