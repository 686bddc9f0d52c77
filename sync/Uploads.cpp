#include "sync/Uploads.h"

#include "app/core/ZevConfigLayout.h"

#include "sync/RequestBodies.h"
#include "sync/SyncText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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

Uploads::Uploads(SyncEngine& engine) : m_e(engine) {}

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
        if (!EqualsNoCase(q.table, table))
            continue;
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
        if (shown.empty())
            shown = r.reply.substr(0, 80);
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
        if (!f)
            return false;
        f << body;
        if (!f)
            return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    in.close();
    std::remove(path.c_str());
    out = ss.str();
    return true;
}

// One upload as data: which rows wait, how a record reads in words, its
// body, the page's own success rule and the clearing of an accepted record.
// A per-record page posts each row; a batch page posts every row in one body
// and judges them together.
struct UploadPage {
    using Cols = std::vector<std::string>;
    const char* table;
    const char* page;
    const char* status; // progress text; null reports nothing
    int statusStep;
    int switchByte;       // distributor switch that must be on; -1 none
    const char* workFile; // the body goes through this file first; null posts it as built
    int timeoutMs;
    const char* select; // the waiting rows
    bool batch;
    // The body of one record (or, for a batch, of every record).
    std::function<std::string(SyncEngine&, const Rows&, const Cols&, size_t)> body;
    // The page's own success token test; an error text, an HTML page or an
    // empty reply is refused before it is asked.
    bool (*accepted)(const std::string& reply);
    // The record in words (a batch: one entry per refusal to record).
    std::function<std::vector<std::string>(const Rows&, const Cols&, size_t)> what;
    // Clears what the server accepted (a batch: every row); false when a
    // statement failed.
    std::function<bool(SyncEngine&, const Rows&, const Cols&, size_t)> clear;
    bool showClearFailure; // 65121 when the clearing fails
    // After a refusal: the page's message, and whether the upload then counts as failed.
    void (*refused)(SyncEngine&, const std::string& reply);
    bool refusalFails;
};

namespace {

bool IsOne(const std::string& reply) { return reply == "1"; }
bool IsSuccess(const std::string& reply) { return reply == "SUCCESS"; }
// The notes page answers "1" when it could not take the note.
bool IsNotOne(const std::string& reply) { return reply != "1"; }

std::vector<std::string> One(std::string what) { return {std::move(what)}; }

bool Exec(SyncEngine& e, const std::string& sql) { return e.Db().Exec(sql); }

const UploadPage kIssues{
    "Issues",
    "updateIssues.cfm",
    "Sending Issues",
    1,
    -1,
    nullptr,
    SyncEngine::kTimeout,
    "select * from Issues",
    false,
    [](SyncEngine&, const Rows& rows, const UploadPage::Cols&, size_t i) { return IssueBody(rows[i]); },
    IsOne,
    [](const Rows& rows, const UploadPage::Cols&, size_t i) { return One(Format("issue %d", IntAt(rows[i], 0))); },
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t i) {
        return Exec(e, Format("delete from Issues where IssueID = %d", IntAt(rows[i], 0)));
    },
    false,
    nullptr,
    false};

const std::string kNoteSelect = std::string(kNoteColumns) + " from distributorrepnotes where updated > 0";
const UploadPage kNotes{
    "DistributorRepNotes",
    "updateNotes.cfm",
    "Updating Notes",
    1,
    -1,
    nullptr,
    SyncEngine::kTimeout,
    kNoteSelect.c_str(),
    false,
    [](SyncEngine&, const Rows& rows, const UploadPage::Cols&, size_t i) { return NoteBody(rows[i]); },
    IsNotOne,
    [](const Rows& rows, const UploadPage::Cols&, size_t i) {
        return One(Format("note of account %d dated %s", IntAt(rows[i], 1), At(rows[i], 2).c_str()));
    },
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t i) {
        const Row& r = rows[i];
        // A deletion the server took is done: cleared to 0 the note would
        // show again on the account.
        if (IntAt(r, 10) == 2)
            return Exec(e, Format("Delete from DistributorRepNotes where accountID = %d and DistRepID = %d and "
                                  "DateEntered = '%s'",
                                  IntAt(r, 1), IntAt(r, 0), FixApost(At(r, 2)).c_str()));
        return Exec(e, Format("Update DistributorRepNotes Set updated = 0 where accountID = %d and DistRepID = %d and "
                              "DateEntered = '%s'",
                              IntAt(r, 1), IntAt(r, 0), FixApost(At(r, 2)).c_str()));
    },
    false,
    nullptr,
    false};

const UploadPage kOrderGuides{
    "WorkOrder",
    "UpdateWo.cfm",
    "Updating Order Guides",
    1,
    -1,
    "$SWOTEMP.TMP",
    SyncEngine::kLongTimeout,
    "select * from workorder where updated = 1",
    false,
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols& cols, size_t i) {
        NamedRow guide(cols, rows[i]);
        const int account = guide.Int("AccountID");
        const int wo = guide.Int("WorkOrderID");
        std::string body = OrderGuideHeader(account, wo);
        Rows lines;
        std::vector<std::string> lcols;
        int n = 0;
        // A guide whose lines cannot be read goes as a guide without lines,
        // as the page expects ("N=-1").
        if (e.Db().Select(Format("%s and WorkOrderID=%d and AccountID=%d and deletedflag=0 order by W.LineItemNumber",
                                 kGuideLines, wo, account),
                          lines, &lcols))
            for (const Row& l : lines)
                body += OrderGuideLine(++n, NamedRow(lcols, l), e.ConfigByte(cfg::kRetailPriceWithheld) == 1);
        else
            e.LogSyncError(Format("the lines of order guide %d of account %d cannot be read; the guide is sent "
                                  "without them",
                                  wo, account));
        return body + Format("&N=%d", n > 0 ? n : -1);
    },
    IsSuccess,
    [](const Rows& rows, const UploadPage::Cols& cols, size_t i) {
        NamedRow guide(cols, rows[i]);
        return One(Format("order guide %d of account %d", guide.Int("WorkOrderID"), guide.Int("AccountID")));
    },
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols& cols, size_t i) {
        NamedRow guide(cols, rows[i]);
        return Exec(e, Format("Update WorkOrder Set Updated = 0 where AccountID = %d and workorderID = %d",
                              guide.Int("AccountID"), guide.Int("WorkOrderID")));
    },
    true,
    [](SyncEngine& e, const std::string&) { e.Box().Show(65122, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop); },
    false};

const std::string kAccountSelect =
    std::string(kAccountColumns) + " from Accounts where updated = 1 and AccountNumber NOT LIKE 'T-%'";
const UploadPage kAccounts{"Accounts",
                           "updateAccounts.cfm",
                           "Updating Accounts",
                           0,
                           -1,
                           nullptr,
                           SyncEngine::kTimeout,
                           kAccountSelect.c_str(),
                           false,
                           [](SyncEngine&, const Rows& rows, const UploadPage::Cols& cols, size_t i) {
                               return AccountBody(NamedRow(cols, rows[i]));
                           },
                           IsOne,
                           [](const Rows& rows, const UploadPage::Cols& cols, size_t i) {
                               return One(Format("account %d", NamedRow(cols, rows[i]).Int("AccountID")));
                           },
                           [](SyncEngine& e, const Rows& rows, const UploadPage::Cols& cols, size_t i) {
                               return Exec(e, Format("Update Accounts Set Updated = 0 where AccountID = %d",
                                                     NamedRow(cols, rows[i]).Int("AccountID")));
                           },
                           true,
                           nullptr,
                           false};

const UploadPage kMessages{"Messages",
                           "UpdateMessages.cfm",
                           "Sending Messages",
                           1,
                           -1,
                           "$SMETEMP.TMP",
                           SyncEngine::kTimeout,
                           "select * from Messages where Updated = 1",
                           true,
                           [](SyncEngine&, const Rows& rows, const UploadPage::Cols&, size_t) {
                               std::string body;
                               int n = 0;
                               for (const Row& r : rows)
                                   body += MessagePart(++n, r);
                               return body + Format("&T=%d", n);
                           },
                           IsSuccess,
                           [](const Rows& rows, const UploadPage::Cols&, size_t) {
                               return rows.empty() ? std::vector<std::string>()
                                                   : One(Format("%zu message(s)", rows.size()));
                           },
                           [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t) {
                               return rows.empty() || Exec(e, "Update Messages Set Updated = 0");
                           },
                           false,
                           [](SyncEngine& e, const std::string& reply) { e.ShowServerError(reply); },
                           true};

const UploadPage kNewAccounts{
    "NewAccounts",
    "newAccounts.cfm",
    "Sending NewAccounts",
    1,
    -1,
    nullptr,
    SyncEngine::kTimeout,
    "select * from NewAccounts",
    false,
    [](SyncEngine&, const Rows& rows, const UploadPage::Cols&, size_t i) { return NewAccountBody(rows[i]); },
    IsOne,
    [](const Rows& rows, const UploadPage::Cols&, size_t i) {
        return One(Format("new account %d (%s)", IntAt(rows[i], 0), At(rows[i], 1).c_str()));
    },
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t i) {
        return Exec(e, Format("Delete from NewAccounts where EntryID = %d", IntAt(rows[i], 0)));
    },
    false,
    nullptr,
    false};

const UploadPage kSurveys{
    "DoneSurveys",
    "takeSurveys.cfm",
    nullptr,
    1,
    -1,
    nullptr,
    SyncEngine::kTimeout,
    "Select DoneSurveys.* from DoneSurveys, Surveys where DoneSurveys.SurveyID = Surveys.SurveyID and "
    "Surveys.SurveyType = 0",
    false,
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t i) {
        const int doneId = IntAt(rows[i], 0);
        std::string body = SurveyHeader(rows[i]);
        Rows answers;
        std::vector<std::string> acols;
        int n = 0;
        if (e.Db().Select(Format("Select * from Answers where DoneID = %d order by QuestionID", doneId), answers,
                          &acols))
            for (const Row& a : answers)
                body += SurveyAnswer(++n, NamedRow(acols, a));
        else
            e.LogSyncError(Format("the answers of survey %d cannot be read; the survey is sent without them", doneId));
        return body + Format("&T=%d", n);
    },
    IsOne,
    [](const Rows& rows, const UploadPage::Cols&, size_t i) { return One(Format("survey %d", IntAt(rows[i], 0))); },
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t i) {
        const int doneId = IntAt(rows[i], 0);
        return Exec(e, Format("Delete from Answers where DoneID = %d", doneId)) &&
               Exec(e, Format("Delete from DoneSurveys where DoneID = %d", doneId));
    },
    false,
    nullptr,
    false};

const std::string kArSelect = Format("select %s from %s where %s and (AR.Updated=1 or AR.Deposited=1)", kArColumns,
                                     "AR, Accounts", "AR.AccountID = Accounts.AccountID");
const UploadPage kInvoices{
    "AR",
    "updateInvoice.cfm",
    "Updating Invoices",
    1,
    -1,
    nullptr,
    SyncEngine::kTimeout,
    kArSelect.c_str(),
    true,
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t) {
        const bool depositWithoutAmount = e.ConfigByte(cfg::kDepositButton) == 1;
        std::string parts;
        int n = 0;
        for (const Row& r : rows) {
            if (n > 0)
                parts += "&";
            parts += InvoicePart(++n, r, depositWithoutAmount);
        }
        return Format("%s&total=%d", parts.c_str(), n);
    },
    IsOne,
    [](const Rows& rows, const UploadPage::Cols&, size_t) {
        std::vector<std::string> out;
        for (const Row& r : rows)
            out.push_back(Format("collection on invoice %s of account %d", TrimBlanks(At(r, 4)).c_str(), IntAt(r, 0)));
        return out;
    },
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols&, size_t) {
        const bool depositWithoutAmount = e.ConfigByte(cfg::kDepositButton) == 1;
        bool ok = true;
        for (const Row& r : rows) {
            std::string invoice = FixApost(At(r, 4));
            if (depositWithoutAmount && IntAt(r, 15) == 0)
                ok = Exec(e, Format("Update AR Set Updated = 0 where AccountID=%d and InvoiceNo='%s'", IntAt(r, 0),
                                    invoice.c_str())) &&
                     ok;
            else
                ok = Exec(e, Format("Update AR Set Updated = 0, Deposited = 0 , AmountCollectedToday = 0.00 where "
                                    "AccountID=%d and InvoiceNo='%s'",
                                    IntAt(r, 0), invoice.c_str())) &&
                     ok;
        }
        return ok;
    },
    false,
    nullptr,
    false};

const UploadPage kInvImports{
    "InvImport",
    "updateInvImportInfo.cfm",
    "Updating Imports",
    1,
    41,
    nullptr,
    SyncEngine::kTimeout,
    "select * from InvImport",
    true,
    [](SyncEngine&, const Rows& rows, const UploadPage::Cols& cols, size_t) {
        std::string body;
        int n = 0;
        for (const Row& r : rows)
            body += InvImportPart(++n, NamedRow(cols, r));
        return body + Format("&N=%d", n);
    },
    IsSuccess,
    [](const Rows& rows, const UploadPage::Cols&, size_t) {
        return rows.empty() ? std::vector<std::string>() : One(Format("%zu import line(s)", rows.size()));
    },
    [](SyncEngine& e, const Rows&, const UploadPage::Cols&, size_t) { return Exec(e, "Delete from InvImport"); },
    false,
    nullptr,
    false};

const UploadPage kForms{
    "FormsFilled",
    "UpdateFormsFilled.cfm",
    "Updating Forms",
    1,
    -1,
    nullptr,
    SyncEngine::kTimeout,
    "select * from FormsFilled where Updated = 1 Order by FormID, AccountID, QuestionID",
    false,
    [](SyncEngine&, const Rows& rows, const UploadPage::Cols& cols, size_t i) {
        return FormBody(NamedRow(cols, rows[i]));
    },
    IsSuccess,
    [](const Rows& rows, const UploadPage::Cols& cols, size_t i) {
        NamedRow f(cols, rows[i]);
        return One(
            Format("form %d question %d of account %d", f.Int("FormID"), f.Int("QuestionID"), f.Int("AccountID")));
    },
    [](SyncEngine& e, const Rows& rows, const UploadPage::Cols& cols, size_t i) {
        NamedRow f(cols, rows[i]);
        return Exec(e, Format("Update FormsFilled Set Updated = 0 where FormID = %d and AccountID = %d and "
                              "QuestionID = %d",
                              f.Int("FormID"), f.Int("AccountID"), f.Int("QuestionID")));
    },
    false,
    nullptr,
    false};

} // namespace

bool Uploads::Send(const UploadPage& p, IProgressSink* window)
{
    if (p.switchByte >= 0 && m_e.ConfigByte(p.switchByte) != 1)
        return true;
    m_e.SetProgressWindow(window);
    const std::string path = PagePath(p.page);
    if (p.status)
        m_e.ReportProgress(p.status, 100, p.statusStep);
    Rows rows;
    UploadPage::Cols cols;
    if (!m_e.Db().Select(p.select, rows, &cols)) {
        m_e.LogSyncError(Format("NOT SENT: the waiting rows of %s cannot be read", p.table));
        // A batch page still gets its (empty) batch, as it always has.
        if (!p.batch)
            return true;
        rows.clear();
        cols.clear();
    }
    const size_t posts = p.batch ? 1 : rows.size();
    for (size_t i = 0; i < posts; ++i) {
        const size_t unsent = p.batch ? rows.size() : rows.size() - i;
        std::string posted = p.body(m_e, rows, cols, i);
        if (p.workFile && !ThroughWorkFile(p.workFile, posted, posted)) {
            LogNotSent(p, rows, cols, i, unsent, "its work file cannot be written");
            return false;
        }
        if (!m_e.ServerRequest(path, posted, p.timeoutMs)) {
            LogNotSent(p, rows, cols, i, unsent, "the exchange failed");
            return false;
        }
        const std::string reply = TrimBlanks(m_e.ReadReplyLine());
        if (IsFailureReply(reply) || !p.accepted(reply)) {
            for (const std::string& what : p.what(rows, cols, i))
                Refuse(p.table, what, reply);
            if (p.refused)
                p.refused(m_e, reply);
            if (p.refusalFails)
                return false;
            continue;
        }
        // The server has the record now: its clearing is one commit, so a
        // crash leaves it either marked (sent again once) or cleared.
        ISyncDb& db = m_e.Db();
        const bool began = db.Begin();
        const bool cleared = began && p.clear(m_e, rows, cols, i) && db.Commit();
        if (!cleared) {
            if (began)
                (void)db.Rollback(); // the failure itself is what gets reported
            for (const std::string& what : p.what(rows, cols, i))
                m_e.LogSyncError(
                    Format("ACCEPTED BUT NOT CLEARED (goes again with the next run): %s (%s)", what.c_str(), p.table));
            if (p.showClearFailure)
                m_e.Box().Show(65121, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        }
    }
    return true;
}

void Uploads::LogNotSent(const UploadPage& p, const Rows& rows, const std::vector<std::string>& cols, size_t i,
                         size_t unsent, const char* why)
{
    if (unsent == 0) {
        m_e.LogSyncError(Format("NOT SENT (%s): the empty batch of %s", why, p.table));
        return;
    }
    std::vector<std::string> what = p.what(rows, cols, i);
    std::string first = what.empty() ? std::string(p.table) : what.front();
    m_e.LogSyncError(Format("NOT SENT (%s): %s and %zu later record(s) of %s; they stay for the next run", why,
                            first.c_str(), unsent - 1, p.table));
}

bool Uploads::UploadIssues(IProgressSink* window) { return Send(kIssues, window); }
bool Uploads::UploadNotes(IProgressSink* window) { return Send(kNotes, window); }
bool Uploads::UploadOrderGuides(IProgressSink* window) { return Send(kOrderGuides, window); }
bool Uploads::UploadAccounts(IProgressSink* window) { return Send(kAccounts, window); }
bool Uploads::UploadMessages(IProgressSink* window) { return Send(kMessages, window); }
bool Uploads::UploadNewAccounts(IProgressSink* window) { return Send(kNewAccounts, window); }
bool Uploads::UploadSurveys(IProgressSink* window) { return Send(kSurveys, window); }
bool Uploads::UploadInvoices(IProgressSink* window) { return Send(kInvoices, window); }
bool Uploads::UploadInvImports(IProgressSink* window) { return Send(kInvImports, window); }
bool Uploads::UploadForms(IProgressSink* window) { return Send(kForms, window); }

bool Uploads::SendChanges(IProgressSink* window)
{
    m_refused.clear();
    // In the order of the run. A failed upload has logged what it did not
    // send and the rows stay marked for the next run; only the collections
    // end the run as failed.
    for (const UploadPage* page : {&kIssues, &kNotes, &kOrderGuides, &kAccounts, &kMessages, &kNewAccounts, &kSurveys,
                                   &kInvoices, &kInvImports, &kForms})
        if (!Send(*page, window) && page == &kInvoices)
            return false;
    return true;
}

} // namespace zev::sync
