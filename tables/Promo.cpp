#include "tables/Promo.h"

#include "tables/SqlText.h"

namespace zev {

Promo::Promo(int poolKey) : Query("Promo", "PromoID", poolKey) {}

int Promo::getHeaders()
{
    m_strSQL = SqlText::Format("%s where LineID = 0 order by PromoID", m_strSelectAll.c_str());
    return Open(m_strSQL);
}

int Promo::getLines(int promoId)
{
    m_strSQL =
        SqlText::Format("%s where PromoID = %d and LineID <> 0 order by LineID", m_strSelectAll.c_str(), promoId);
    return Open(m_strSQL);
}

} // namespace zev
