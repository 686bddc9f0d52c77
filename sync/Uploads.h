#pragma once

#include "sync/SyncEngine.h"

namespace zev::sync {

// The uploads of locally changed records other than orders. Each returns
// false only when the exchange itself failed (the current and later rows
// stay marked); a reply other than the page's success token leaves that row
// marked and goes on.
class Uploads {
public:
    explicit Uploads(SyncEngine& engine);

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

    SyncEngine& m_e;
};

} // namespace zev::sync
