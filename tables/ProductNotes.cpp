#include "tables/ProductNotes.h"

namespace zev {

ProductNotes::ProductNotes(int poolKey) : Query("ProductNotes", "ItemID", poolKey) {}

} // namespace zev
