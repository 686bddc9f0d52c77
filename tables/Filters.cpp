#include "tables/Filters.h"

namespace zev {

Filters::Filters(int poolKey) : Query("Filters", "FilterID", poolKey) {}

int Filters::getAllByName()
{
    m_strSQL = "Select * from Filters order by Filter";
    return Open(m_strSQL);
}

} // namespace zev
