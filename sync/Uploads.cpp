#include "sync/Uploads.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zev::sync {

namespace {
constexpr const char* kArColumns =
    "AR.AccountID, Accounts.CompanyName, Accounts.AccountNumber, AR.DistRepID, AR.InvoiceNo, convert(nvarchar, "
    "AR.InvoiceDate, 101), convert(nvarchar, AR.InvoiceDueDate, 101), AR.InvoiceAmount, AR.AmountCollectedTotal, "
    "AR.AmountCollectedToday, AR.Collected, AR.Updated, AR.PaymentType, AR.Comments, AR.CheckNumber, AR.Deposited, "
    "AR.DepAttrib1, AR.DepAttrib2, AR.PaymentStatus, convert(nvarchar, AR.LatestPaymentDate, 101), "
    "AR.LatestPaymentAmount";
constexpr const char* kAccountColumns =
    "select AccountID, CompanyName, ContactName, AltContactName, Address1, Address2, City, State, Zip, Phone, Fax, "
    "NoSplitCaseCharge, ApptDays, DelivDays, AccountNumber, PricingTier, DistRepID, Email, LiquorLicenseNumber, "
    "Comment1, Comment2,CatalogIDs, AcctStatus, Updated, ApptTime1, ApptTime2, ApptTime3, ApptTime4, ApptTime5, "
    "ApptTime6, ApptTime7, BalanceDue, datepart(yy, LastOrder), datepart(mm, LastOrder), datepart(dd, LastOrder), "
    "datepart(yy, LastPaymentDate), datepart(mm, LastPaymentDate), datepart(dd, LastPaymentDate), YTDSales, "
    "YTDReturns, LYTDSales, LYTDReturns, OnOrderBalance, CreditLimit, CreditTerms, BillToCompany, BillToContact, "
    "BillToAddress1, BillToAddress2, BillToCity, BillToState, BillToZip, BillToPhone, BillToFax,CustomerType,"
    "Warehouse, datepart(yy, LastVisitDate), datepart(mm, LastVisitDate), datepart(dd, LastVisitDate)";
constexpr const char* kNoteColumns =
    "select DistRepID, AccountID, DateEntered,datepart(yyyy, DateEntered), datepart(mm, DateEntered), "
    "datepart(dd, DateEntered),datepart(hh, DateEntered), datepart(mi, DateEntered), datepart(ss, DateEntered),"
    "Comment, Updated";
constexpr const char* kGuideLines = "select * from WorkOrderItems W, Items I where W.ItemID=I.ItemID ";
} // namespace

Uploads::Uploads(SyncEngine& engine)
    : m_e(engine)
{
}

bool Uploads::IsFailureReply(const std::string& reply)
{
    std::string r = TrimBlanks(reply);
    return r.empty() || ContainsText(r, "<ERROR>") || r.find('<') != std::string::npos;
}

const std::vector<WaitingQuery>& Uploads::WaitingQueries()
{
    static const std::vector<WaitingQuery> queries = {
        {"Issues", "select count(*) from Issues"},
        {"DistributorRepNotes", "select count(*) from distributorrepnotes where updated > 0"},
        {"WorkOrder", "select count(*) from workorder where updated = 1"},
        {"Accounts", "select count(*) from Accounts where updated = 1 and AccountNumber NOT LIKE 'T-%'"},
        {"Messages", "select count(*) from Messages where Updated = 1"},
        {"NewAccounts", "select count(*) from NewAccounts"},
        {"DoneSurveys", "select count(*) from DoneSurveys, Surveys where DoneSurveys.SurveyID = Surveys.SurveyID "
                        "and Surveys.SurveyType = 0"},
        {"AR", "select count(*) from AR where AR.Updated=1 or AR.Deposited=1"},
        {"InvImport", "select count(*) from InvImport"},
        {"FormsFilled", "select count(*) from FormsFilled where Updated = 1"},
    };
    return queries;
}

int Uploads::WaitingIn(const std::string& table)
{
    for (const WaitingQuery& q : WaitingQueries()) {
        if (!EqualsNoCase(q.table, table)) continue;
        Rows rows;
        return m_e.Db().Select(q.countSql, rows) && !rows.empty() ? IntAt(rows[0], 0) : -1;
    }
    return 0;
}

void Uploads::Refuse(const std::string& table, const std::string& what, const std::string& reply)
{
    m_refused.push_back({table, what, reply});
    m_e.LogSyncError(Format("REFUSED BY THE SERVER: %s (%s): %s", what.c_str(), table.c_str(), reply.c_str()));
}

std::string Uploads::RefusedText() const
{
    std::string text;
    for (const RefusedRecord& r : m_refused) {
        std::string shown = ServerErrorText(r.reply);
        if (shown.empty()) shown = r.reply.substr(0, 80);
        text += r.what;
        text += shown.empty() ? std::string(": no reply") : ": \"" + shown + "\"";
        text += "\n";
    }
    return text;
}

std::string Uploads::PagePath(const char* page) const
{
    return Format("/MobileServer/%s/%s?ID=%s&P=%s", m_e.MobileVersion().c_str(), page, m_e.UserId().c_str(),
                  m_e.Password().c_str());
}

bool Uploads::ThroughWorkFile(const std::string& name, const std::string& body, std::string& out) const
{
    std::string path = m_e.MapPath("\\Temp\\" + name);
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f << body;
        if (!f) return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    in.close();
    std::remove(path.c_str());
    out = ss.str();
    return true;
}

bool Uploads::UploadIssues(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("updateIssues.cfm");
    m_e.ReportProgress("Sending Issues", 100, 1);
    Rows rows;
    if (!m_e.Db().Select("select * from Issues", rows)) return true;
    for (const Row& r : rows) {
        if (!m_e.ServerRequest(path, IssueBody(r))) return false;
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply == "1")
            (void)m_e.Db().Exec(Format("delete from Issues where IssueID = %d", IntAt(r, 0)));
        else
            Refuse("Issues", Format("issue %d", IntAt(r, 0)), reply);
    }
    return true;
}

bool Uploads::UploadNotes(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("updateNotes.cfm");
    m_e.ReportProgress("Updating Notes", 100, 1);
    Rows rows;
    if (!m_e.Db().Select(Format("%s from distributorrepnotes where updated > 0", kNoteColumns), rows)) return true;
    for (const Row& r : rows) {
        if (!m_e.ServerRequest(path, NoteBody(r))) return false;
        // The notes page answers "1" when it could not take the note; an
        // error text, an HTML page or nothing took it no better.
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply == "1" || IsFailureReply(reply))
            Refuse("DistributorRepNotes", Format("note of account %d dated %s", IntAt(r, 1), At(r, 2).c_str()), reply);
        else if (IntAt(r, 10) == 2)
            // A deletion the server took is done: cleared to 0 the note
            // would show again on the account.
            (void)m_e.Db().Exec(Format("Delete from DistributorRepNotes where accountID = %d and DistRepID = %d and "
                                       "DateEntered = '%s'",
                                       IntAt(r, 1), IntAt(r, 0), FixApost(At(r, 2)).c_str()));
        else
            (void)m_e.Db().Exec(Format("Update DistributorRepNotes Set updated = 0 where accountID = %d and "
                                       "DistRepID = %d and DateEntered = '%s'",
                                       IntAt(r, 1), IntAt(r, 0), FixApost(At(r, 2)).c_str()));
    }
    return true;
}

bool Uploads::UploadOrderGuides(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("UpdateWo.cfm");
    m_e.ReportProgress("Updating Order Guides", 100, 1);
    Rows guides;
    std::vector<std::string> gcols;
    if (!m_e.Db().Select("select * from workorder where updated = 1", guides, &gcols)) return true;
    bool hideRetail = m_e.ConfigByte(109) == 1;
    for (const Row& g : guides) {
        NamedRow guide(gcols, g);
        int account = guide.Int("AccountID");
        int wo = guide.Int("WorkOrderID");
        std::string body = OrderGuideHeader(account, wo);
        Rows lines;
        std::vector<std::string> lcols;
        bool read = m_e.Db().Select(Format("%s and WorkOrderID=%d and AccountID=%d and deletedflag=0 order by "
                                           "W.LineItemNumber",
                                           kGuideLines, wo, account),
                                    lines, &lcols);
        int n = 0;
        if (read)
            for (const Row& l : lines) body += OrderGuideLine(++n, NamedRow(lcols, l), hideRetail);
        body += Format("&N=%d", n > 0 ? n : -1);
        std::string posted;
        if (!ThroughWorkFile("$SWOTEMP.TMP", body, posted)) return false;
        if (!m_e.ServerRequest(path, posted, SyncEngine::kLongTimeout)) return false;
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply != "SUCCESS") {
            Refuse("WorkOrder", Format("order guide %d of account %d", wo, account), reply);
            m_e.Box().Show(65122, 65099, MbButtons::Ok, MbIcon::Stop);
            continue;
        }
        if (!m_e.Db().Exec(Format("Update WorkOrder Set Updated = 0 where AccountID = %d and workorderID = %d", account,
                                  wo)))
            m_e.Box().Show(65121, 65099, MbButtons::Ok, MbIcon::Stop);
    }
    return true;
}

bool Uploads::UploadAccounts(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("updateAccounts.cfm");
    m_e.ReportProgress("Updating Accounts", 100, 0);
    Rows rows;
    std::vector<std::string> cols;
    if (!m_e.Db().Select(Format("%s from Accounts where updated = 1 and AccountNumber NOT LIKE 'T-%%'", kAccountColumns),
                         rows, &cols))
        return true;
    for (const Row& r : rows) {
        NamedRow a(cols, r);
        if (!m_e.ServerRequest(path, AccountBody(a))) return false;
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply != "1") {
            Refuse("Accounts", Format("account %d", a.Int("AccountID")), reply);
            continue;
        }
        if (!m_e.Db().Exec(Format("Update Accounts Set Updated = 0 where AccountID = %d", a.Int("AccountID"))))
            m_e.Box().Show(65121, 65099, MbButtons::Ok, MbIcon::Stop);
    }
    return true;
}

bool Uploads::UploadMessages(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("UpdateMessages.cfm");
    m_e.ReportProgress("Sending Messages", 100, 1);
    Rows rows;
    (void)m_e.Db().Select("select * from Messages where Updated = 1", rows);
    std::string body;
    int n = 0;
    for (const Row& r : rows) body += MessagePart(++n, r);
    body += Format("&T=%d", n);
    std::string posted;
    if (!ThroughWorkFile("$SMETEMP.TMP", body, posted)) return false;
    if (!m_e.ServerRequest(path, posted)) return false;
    std::string reply = TrimBlanks(m_e.ReadReplyLine());
    if (reply != "SUCCESS") {
        if (n > 0) Refuse("Messages", Format("%d message(s)", n), reply);
        m_e.ShowServerError(reply);
        return false;
    }
    if (n > 0) (void)m_e.Db().Exec("Update Messages Set Updated = 0");
    return true;
}

bool Uploads::UploadNewAccounts(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("newAccounts.cfm");
    m_e.ReportProgress("Sending NewAccounts", 100, 1);
    Rows rows;
    if (!m_e.Db().Select("select * from NewAccounts", rows)) return true;
    for (const Row& r : rows) {
        if (!m_e.ServerRequest(path, NewAccountBody(r))) return false;
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply == "1")
            (void)m_e.Db().Exec(Format("Delete from NewAccounts where EntryID = %d", IntAt(r, 0)));
        else
            Refuse("NewAccounts", Format("new account %d (%s)", IntAt(r, 0), At(r, 1).c_str()), reply);
    }
    return true;
}

bool Uploads::UploadSurveys(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("takeSurveys.cfm");
    Rows done;
    if (!m_e.Db().Select("Select DoneSurveys.* from DoneSurveys, Surveys where DoneSurveys.SurveyID = "
                         "Surveys.SurveyID and Surveys.SurveyType = 0",
                         done))
        return true;
    for (const Row& d : done) {
        int doneId = IntAt(d, 0);
        std::string body = SurveyHeader(d);
        Rows answers;
        std::vector<std::string> acols;
        int n = 0;
        if (m_e.Db().Select(Format("Select * from Answers where DoneID = %d order by QuestionID", doneId), answers,
                            &acols))
            for (const Row& a : answers) body += SurveyAnswer(++n, NamedRow(acols, a));
        body += Format("&T=%d", n);
        if (!m_e.ServerRequest(path, body)) return false;
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply != "1") {
            Refuse("DoneSurveys", Format("survey %d", doneId), reply);
            continue;
        }
        (void)m_e.Db().Exec(Format("Delete from Answers where DoneID = %d", doneId));
        (void)m_e.Db().Exec(Format("Delete from DoneSurveys where DoneID = %d", doneId));
    }
    return true;
}

bool Uploads::UploadInvoices(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("updateInvoice.cfm");
    m_e.ReportProgress("Updating Invoices", 100, 1);
    Rows rows;
    (void)m_e.Db().Select(Format("select %s from %s where %s and (AR.Updated=1 or AR.Deposited=1)", kArColumns,
                                 "AR, Accounts", "AR.AccountID = Accounts.AccountID"),
                          rows);
    bool byte169 = m_e.ConfigByte(169) == 1;
    std::string parts;
    int n = 0;
    for (const Row& r : rows) {
        if (n > 0) parts += "&";
        parts += InvoicePart(++n, r, byte169);
    }
    std::string body = Format("%s&total=%d", parts.c_str(), n);
    if (!m_e.ServerRequest(path, body)) return false;
    std::string reply = TrimBlanks(m_e.ReadReplyLine());
    if (reply != "1") {
        for (const Row& r : rows)
            Refuse("AR", Format("collection on invoice %s of account %d", TrimBlanks(At(r, 4)).c_str(), IntAt(r, 0)),
                   reply);
        return true;
    }
    for (const Row& r : rows) {
        std::string invoice = FixApost(At(r, 4));
        if (byte169 && IntAt(r, 15) == 0)
            (void)m_e.Db().Exec(Format("Update AR Set Updated = 0 where AccountID=%d and InvoiceNo='%s'", IntAt(r, 0),
                                       invoice.c_str()));
        else
            (void)m_e.Db().Exec(Format("Update AR Set Updated = 0, Deposited = 0 , AmountCollectedToday = 0.00 where "
                                       "AccountID=%d and InvoiceNo='%s'",
                                       IntAt(r, 0), invoice.c_str()));
    }
    return true;
}

bool Uploads::UploadInvImports(IProgressSink* window)
{
    if (m_e.ConfigByte(41) != 1) return true;
    m_e.SetProgressWindow(window);
    std::string path = PagePath("updateInvImportInfo.cfm");
    m_e.ReportProgress("Updating Imports", 100, 1);
    Rows rows;
    std::vector<std::string> cols;
    (void)m_e.Db().Select("select * from InvImport", rows, &cols);
    std::string body;
    int n = 0;
    for (const Row& r : rows) body += InvImportPart(++n, NamedRow(cols, r));
    body += Format("&N=%d", n);
    if (!m_e.ServerRequest(path, body)) return false;
    std::string reply = TrimBlanks(m_e.ReadReplyLine());
    if (reply == "SUCCESS")
        (void)m_e.Db().Exec("Delete from InvImport");
    else if (n > 0)
        Refuse("InvImport", Format("%d import line(s)", n), reply);
    return true;
}

bool Uploads::UploadForms(IProgressSink* window)
{
    m_e.SetProgressWindow(window);
    std::string path = PagePath("UpdateFormsFilled.cfm");
    m_e.ReportProgress("Updating Forms", 100, 1);
    Rows rows;
    std::vector<std::string> cols;
    if (!m_e.Db().Select("select * from FormsFilled where Updated = 1 Order by FormID, AccountID, QuestionID", rows,
                         &cols))
        return true;
    for (const Row& r : rows) {
        NamedRow f(cols, r);
        if (!m_e.ServerRequest(path, FormBody(f))) return false;
        std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (reply != "SUCCESS")
            Refuse("FormsFilled",
                   Format("form %d question %d of account %d", f.Int("FormID"), f.Int("QuestionID"), f.Int("AccountID")),
                   reply);
        else
            (void)m_e.Db().Exec(Format("Update FormsFilled Set Updated = 0 where FormID = %d and AccountID = %d and "
                                       "QuestionID = %d",
                                       f.Int("FormID"), f.Int("AccountID"), f.Int("QuestionID")));
    }
    return true;
}

bool Uploads::SendChanges(IProgressSink* window)
{
    m_refused.clear();
    UploadIssues(window);
    UploadNotes(window);
    UploadOrderGuides(window);
    UploadAccounts(window);
    UploadMessages(window);
    UploadNewAccounts(window);
    UploadSurveys(window);
    if (!UploadInvoices(window)) return false;
    UploadInvImports(window);
    UploadForms(window);
    return true;
}

} // namespace zev::sync
