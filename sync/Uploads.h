#pragma once

#include "sync/SyncEngine.h"

#include <string>
#include <vector>

namespace zev::sync {

struct UploadPage;

// A record the server answered with something other than its page's
// success token: it stays marked and goes with the next run.
struct RefusedRecord {
    std::string table; // local table holding the record
    std::string what;  // the record in words ("invoice 1045 of account 5001")
    std::string reply; // the server's first reply line
};

// Tables whose rows wait for upload, with the count of waiting rows.
struct WaitingQuery {
    const char* table;
    const char* countSql;
};

// The uploads of locally changed records other than orders. Each returns
// false only when the exchange itself failed (the current and later rows
// stay marked); a reply other than the page's success token leaves that row
// marked, is remembered in Refused() and goes on.
class Uploads {
public:
    explicit Uploads(SyncEngine& engine);

    // An empty reply, a server error or an HTML page is never a success,
    // whatever the page's own rule says about other replies.
    static bool IsFailureReply(const std::string& reply);
    // Every table that can hold rows waiting for upload (orders excluded).
    static const std::vector<WaitingQuery>& WaitingQueries();
    // Rows of `table` still waiting for upload; 0 for tables that never wait,
    // -1 when they cannot be counted.
    int WaitingIn(const std::string& table);

    const std::vector<RefusedRecord>& Refused() const { return m_refused; }
    void ClearRefused() { m_refused.clear(); }
    // One line per refused record, for a message or the terminal.
    std::string RefusedText() const;

    bool UploadIssues(IProgressSink* window);
    bool UploadNotes(IProgressSink* window);
    bool UploadOrderGuides(IProgressSink* window);
    bool UploadAccounts(IProgressSink* window);
    bool UploadMessages(IProgressSink* window);
    bool UploadNewAccounts(IProgressSink* window);
    bool UploadSurveys(IProgressSink* window);
    bool UploadInvoices(IProgressSink* window);
    bool UploadInvImports(IProgressSink* window);
    bool UploadForms(IProgressSink* window);

    // Every upload in the order of the synchronisation run; only the
    // invoice upload's failure makes the result false.
    bool SendChanges(IProgressSink* window);

private:
    std::string PagePath(const char* page) const;
    // Writes the body to a work file, reads it back whole and removes it.
    bool ThroughWorkFile(const std::string& name, const std::string& body, std::string& out) const;

    void Refuse(const std::string& table, const std::string& what, const std::string& reply);
    // Select, body, post, judge, clear: the one skeleton every upload runs.
    bool Send(const UploadPage& page, IProgressSink* window);
    void LogNotSent(const UploadPage& page, const Rows& rows, const std::vector<std::string>& cols, size_t i,
                    size_t unsent, const char* why);

    SyncEngine& m_e;
    std::vector<RefusedRecord> m_refused;
};

} // namespace zev::sync
