#include "tables/ReadyOrder.h"

#include "tables/SqlText.h"

#include <utility>

namespace zev {

ReadyOrder::ReadyOrder(int poolKey) : Query("ReadyOrder", "ReadyID", poolKey) {}

int ReadyOrder::insertHeader(const ReadyOrderHeader& h)
{
    const auto& o = h.options;
    m_strSQL = SqlText::Format("insert into %s values( %d,%d,%d,'%s','%s','%s', %.2lf, '%s','%s','%s','%s','%s','%s',"
                               "'%s',%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,'%s')",
                               m_strTable.c_str(), h.accountId, h.readyId, h.orderType, h.deliveryDate.c_str(),
                               h.notes.c_str(), h.odcText.c_str(), h.total, h.creditTerms.c_str(), h.created.c_str(),
                               h.warehouse.c_str(), h.odcCode.c_str(), h.cancelDate.c_str(), h.creditCard.c_str(),
                               h.shippingMethod.c_str(), o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8], o[9],
                               h.signature.c_str());
    return Open(m_strSQL);
}

std::string ReadyOrder::InformationTime(std::time_t t)
{
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr)
        return {};
    return SqlText::Format("%d-%d-%d %d:%d:%d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                           tm.tm_sec);
}

int ReadyOrder::insertInformationOrder(int accountId, int readyId, int orderType, std::time_t now,
                                       const std::string& note, const std::string& reason)
{
    ReadyOrderHeader h;
    h.accountId = accountId;
    h.readyId = readyId;
    h.orderType = orderType;
    h.created = InformationTime(now);
    h.deliveryDate = h.created;
    h.notes = SqlText::Clean(note);
    h.odcText = SqlText::Clean(reason);
    return insertHeader(h);
}

int ReadyOrder::resetGuide(int accountId, const GuideResetSettings& s)
{
    bool optional = false;
    // The two free-mark statements may fail without failing the reset.
    if (s.clearFreeMarks && !s.clearPriceOverride) {
        m_strSQL = SqlText::Format("Update WorkOrderItems set PriceOverride='0' where PriceOverride='-1.00' and "
                                   "AccountID=%d",
                                   accountId);
        Open(m_strSQL);
        optional = true;
    }
    if (s.clearFreeMarks && !s.clearDiscount) {
        m_strSQL = SqlText::Format("Update WorkOrderItems set DiscountAmount='0' where DiscountAmount='-1.00' and "
                                   "AccountID = %d",
                                   accountId);
        Open(m_strSQL);
        optional = true;
    }
    std::string sql = "Update WorkOrderItems set CaseQTY=0, SingleQTY=0, LineComment=''";
    const std::pair<bool, const char*> clauses[] = {{s.clearInventory, ", Inv=0"},
                                                    {s.clearPriceOverride, ", PriceOverride='0'"},
                                                    {s.clearDiscount, ", DiscountAmount='0'"},
                                                    {s.clearSpecialFlag, ", SpecialFlag='0'"},
                                                    {s.clearPar, ", Par=0"}};
    for (const auto& [on, clause] : clauses) {
        if (on) {
            sql += clause;
            optional = true;
        }
    }
    m_strSQL = sql + SqlText::Format(" where AccountID=%d", accountId);
    if (Open(m_strSQL) == 0)
        return 0;
    if (!optional)
        return 1;
    m_strSQL = SqlText::Format("Update WorkOrder set Updated = 1 where AccountID = %d", accountId);
    return Open(m_strSQL) != 0 ? 1 : 0;
}

int ReadyOrder::getByReadyID(int readyId)
{
    m_strSQL = SqlText::Format("%s where ReadyID=%d", m_strSelectAll.c_str(), readyId);
    return Open(m_strSQL);
}

int ReadyOrder::getAllByNumber()
{
    m_strSQL = SqlText::Format("%s Order by ReadyID", m_strSelectAll.c_str());
    return Open(m_strSQL);
}

int ReadyOrder::deleteOrder(int accountId, int readyId)
{
    m_strSQL =
        SqlText::Format("Delete %s where AccountID = %d and ReadyID = %d", m_strTable.c_str(), accountId, readyId);
    return Open(m_strSQL);
}

} // namespace zev
