#include "sync/RequestBodies.h"

#include "sync/SyncText.h"

namespace zev::sync {

std::string NamedRow::Text(const std::string& name) const
{
    for (size_t i = 0; i < m_cols->size() && i < m_vals->size(); ++i)
        if (EqualsNoCase((*m_cols)[i], name))
            return (*m_vals)[i];
    return {};
}

bool NamedRow::Has(const std::string& name) const
{
    for (const auto& c : *m_cols)
        if (EqualsNoCase(c, name))
            return true;
    return false;
}

int NamedRow::Int(const std::string& name) const { return ToInt(Text(name)); }
double NamedRow::Real(const std::string& name) const { return ToDouble(Text(name)); }

std::string At(const Row& r, size_t i) { return i < r.size() ? r[i] : std::string(); }
int IntAt(const Row& r, size_t i) { return ToInt(At(r, i)); }

std::string OrderHeaderPart(const Row& o)
{
    std::string body = Format("A=%d&B=%s", IntAt(o, 0), TrimBlanks(At(o, 3)).c_str());
    auto note = [&](const char* key, size_t col) {
        std::string v = TrimBlanks(At(o, col));
        if (!v.empty())
            body += Format("&%s=%s", key, EscapeOrderNote(v).c_str());
    };
    auto plain = [&](const char* key, size_t col) {
        std::string v = TrimBlanks(At(o, col));
        if (!v.empty())
            body += Format("&%s=%s", key, v.c_str());
    };
    note("C", 4);
    note("D", 5);
    plain("E", 7);
    plain("F", 8);
    plain("G", 9);
    plain("H", 10);
    plain("I", 11);
    plain("J", 12);
    plain("K", 13);
    body += Format("&KK=%d|%d|%d|%d|%d|%d|%d|%d|%d|%d", IntAt(o, 14), IntAt(o, 15), IntAt(o, 16), IntAt(o, 17),
                   IntAt(o, 18), IntAt(o, 19), IntAt(o, 20), IntAt(o, 21), IntAt(o, 22), IntAt(o, 23));
    std::string sig = At(o, 24);
    if (!sig.empty())
        body += "&S=" + sig;
    return body;
}

std::string OrderLinePart(int n, const NamedRow& l, const OrderBodyOptions& opt)
{
    int warehouse = l.Int("Warehouse");
    if (warehouse > opt.warehouseLimit)
        warehouse = 0;
    return Format(
        "&L%d=%d^%d^%d^%.2f^%.2f^%s^%s^%s^%d^%d^%.2f^%.2f^%d^%s", n, l.Int("ItemID"), l.Int("CQty"), l.Int("SQty"),
        l.Real("CDistPrice"), l.Real("SDistPrice"), EscapeSetA(TrimBlanks(l.Text("SpecialFlag"))).c_str(),
        EscapeSetA(TrimBlanks(l.Text("DiscountAmount"))).c_str(),
        EscapeSetA(TrimBlanks(l.Text("PriceOverride"))).c_str(), l.Int("par"), l.Int("inv"), l.Real("ExtPrice"),
        opt.hideRetail ? 0.0 : l.Real("RetailPrice"), warehouse, EscapeLineComment(l.Text("LineComment")).c_str());
}

std::string IssueBody(const Row& r)
{
    return Format("AccountID=%d&ShortDesc=%s&LongDesc=%s&WantResponse=%d", IntAt(r, 3),
                  EscapeSetA(TrimBlanks(At(r, 1))).c_str(), EscapeSetA(TrimBlanks(At(r, 2))).c_str(), IntAt(r, 4));
}

std::string NoteBody(const Row& r)
{
    // Row: DistRepID, AccountID, DateEntered, six date parts, Comment, Updated.
    return Format("AccountID=%d&DateEntered=%s&UpdatedFlag=%d&Comment=%s", IntAt(r, 1), At(r, 2).c_str(), IntAt(r, 10),
                  EscapeSetA(TrimBlanks(At(r, 9))).c_str());
}

std::string OrderGuideHeader(int accountId, int workOrderId) { return Format("A=%d&B=%d", accountId, workOrderId); }

std::string OrderGuideLine(int n, const NamedRow& l, bool hideRetail)
{
    int perCase = l.Int("QtyPerCase");
    int last = l.Int("LastQty");
    // A case size of 0 would divide by zero; such an item is counted in singles.
    int cases = perCase > 0 ? last / perCase : 0;
    int singles = perCase > 0 ? last % perCase : last;
    return Format("&C%d=%d&D%d=%d&E%d=%d&F%d=%.2f&G%d=%.2f&H%d=%d&I%d=%d&J%d=%d&K%d=%s&L%d=%s&M%d=%s&N%d=%d&O%d=%d"
                  "&P%d=%d&Q%d=%d&R%d=%.2f",
                  n, l.Int("ItemID"), n, l.Int("CaseQTY"), n, l.Int("SingleQTY"), n, l.Real("CDistPrice"), n,
                  l.Real("SDistPrice"), n, cases, n, singles, n, l.Int("catalogID"), n, l.Text("PriceOverride").c_str(),
                  n, EscapeSetA(TrimBlanks(l.Text("SpecialFlag"))).c_str(), n, l.Text("DiscountAmount").c_str(), n,
                  l.Int("Par"), n, l.Int("Filter"), n, l.Int("Inv"), n, l.Int("Warehouse"), n,
                  hideRetail ? 0.0 : l.Real("RetailPrice"));
}

std::string AccountBody(const NamedRow& a)
{
    std::string b = "&CompanyName=" + EscapeSetA(a.Text("CompanyName"));
    b += Format("&AccountID=%d", a.Int("AccountID"));
    for (const char* c :
         {"ContactName", "AltContactName", "Address1", "Address2", "City", "State", "Zip", "Phone", "Fax"})
        b += Format("&%s=%s", c, EscapeSetA(a.Text(c)).c_str());
    b += "&ApptDays=" + a.Text("ApptDays");
    b += "&DeliveryDays=" + EscapeSetA(a.Text("DelivDays"));
    b += "&Email=" + EscapeSetA(a.Text("Email"));
    for (int i = 1; i <= 7; ++i)
        b += Format("&ApptTime%d=%s", i, TrimBlanks(a.Text(Format("ApptTime%d", i))).c_str());
    return b;
}

std::string MessagePart(int n, const Row& m)
{
    bool noText = IntAt(m, 0) != 0;
    std::string t1 = noText ? " " : EscapeSetC(At(m, 7));
    std::string t2 = noText ? " " : EscapeSetC(At(m, 8));
    return Format("&M%d=%d^%d^%d^%d^%d^%s^%s", n, IntAt(m, 0), IntAt(m, 4), IntAt(m, 5), IntAt(m, 1), IntAt(m, 2),
                  t1.c_str(), t2.c_str());
}

std::string NewAccountBody(const Row& r)
{
    static const std::pair<const char*, size_t> fields[] = {
        {"CompanyName", 1}, {"Address1", 3}, {"Address2", 4}, {"ContactName", 2}, {"City", 5},          {"State", 6},
        {"Zip", 7},         {"Phone", 8},    {"Fax", 9},      {"LiqLicense", 10}, {"DeliveryDays", 11}, {"Notes", 13}};
    std::string b;
    for (const auto& [key, col] : fields) {
        std::string v = At(r, col);
        if (!TrimBlanks(v).empty())
            b += Format("&%s=%s", key, EscapeSetA(v).c_str());
    }
    b += IntAt(r, 12) != 0 ? "&AccountType=On" : "&AccountType=Off";
    return b;
}

std::string SurveyHeader(const Row& d)
{
    return Format("A=%d&B=%d&C=%d&D=%s&E=%s", IntAt(d, 2), IntAt(d, 1), IntAt(d, 3), At(d, 4).c_str(),
                  At(d, 5).c_str());
}

std::string SurveyAnswer(int n, const NamedRow& a)
{
    return Format("&R%d=%d^%s^%s^%s", n, a.Int("QuestionID"), TrimBlanks(a.Text("Type")).c_str(),
                  EscapeSetB(TrimBlanks(a.Text("Answer"))).c_str(), EscapeSetB(TrimBlanks(a.Text("Comment"))).c_str());
}

std::string InvoicePart(int n, const Row& ar, bool depositWithoutAmount)
{
    // Row: the receivables column list (AccountID 0, InvoiceNo 4,
    // AmountCollectedToday 9, Updated 11, PaymentType 12, CheckNumber 14,
    // Deposited 15, DepAttrib1 16, DepAttrib2 17). The deposit details are
    // typed by the user, so they are escaped like the other texts.
    double amount = ToDouble(At(ar, 9));
    if (depositWithoutAmount && IntAt(ar, 15) == 1 && IntAt(ar, 11) != 1)
        amount = 0.0;
    return Format("A%d=%d&B%d=%s&C%d=%.2f&D%d=%d&E%d=%s&F%d=%s&G%d=%s", n, IntAt(ar, 0), n,
                  EscapeSetD(At(ar, 4)).c_str(), n, amount, n, IntAt(ar, 12), n, EscapeSetD(At(ar, 14)).c_str(), n,
                  EscapeSetD(At(ar, 16)).c_str(), n, EscapeSetD(At(ar, 17)).c_str());
}

std::string InvImportPart(int n, const NamedRow& r)
{
    return Format("%sL%d=%d^%s^%d^%d^%d^%d^%d^%d", n == 1 ? "" : "&", n, r.Int("AccountID"),
                  r.Text("ImportTime").c_str(), r.Int("Type"), r.Int("ImportEntries"), r.Int("InvEntries"),
                  r.Int("OrderGuideEntries"), r.Int("ErrorCount"), r.Int("AddCount"));
}

std::string FormBody(const NamedRow& r)
{
    return Format("FormID=%d &AccountID=%d &QuestionID=%d &Answer=%s", r.Int("FormID"), r.Int("AccountID"),
                  r.Int("QuestionID"), EscapeSetE(r.Text("Answer")).c_str());
}

} // namespace zev::sync
