#pragma once

#include "sync/SyncPorts.h"

#include <string>
#include <vector>

// Form bodies of the order transmission and the uploads, built from rows as
// the database gives them (values as text). Kept apart from the exchanges so
// the exact bytes can be checked without a server.
namespace zev::sync {

// A row addressed by column name (case-insensitive), as "select *" gives it.
class NamedRow {
public:
    NamedRow(const std::vector<std::string>& columns, const Row& values) : m_cols(&columns), m_vals(&values) {}
    std::string Text(const std::string& name) const;
    int Int(const std::string& name) const;
    double Real(const std::string& name) const;
    bool Has(const std::string& name) const;

private:
    const std::vector<std::string>* m_cols;
    const Row* m_vals;
};

// The column of a row by position, "" when the row is shorter.
std::string At(const Row& r, size_t i);
int IntAt(const Row& r, size_t i);

// Order transmission. `order` is "select * from ReadyOrder" by position;
// each line is "ReadyOrderItems.*, Items.QtyPerCase" by name.
struct OrderBodyOptions {
    bool hideRetail = false; // byte 109 of the distributor configuration
    int warehouseLimit = 0;  // byte 17701
};
std::string OrderHeaderPart(const Row& order);
std::string OrderLinePart(int n, const NamedRow& line, const OrderBodyOptions& options);

// Uploads.
std::string IssueBody(const Row& issue);
std::string NoteBody(const Row& note);
std::string OrderGuideHeader(int accountId, int workOrderId);
std::string OrderGuideLine(int n, const NamedRow& line, bool hideRetail);
std::string AccountBody(const NamedRow& account);
std::string MessagePart(int n, const Row& message);
std::string NewAccountBody(const Row& entry);
std::string SurveyHeader(const Row& done);
std::string SurveyAnswer(int n, const NamedRow& answer);
std::string InvoicePart(int n, const Row& ar, bool depositWithoutAmount);
std::string InvImportPart(int n, const NamedRow& row);
std::string FormBody(const NamedRow& row);

} // namespace zev::sync
