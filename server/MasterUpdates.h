#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zev::server {

class SqlDatabase;
struct ReceivedOrder;
struct UploadField;

// What a distributor's back office does with a representative's uploads, so
// the next download reflects them. Both run inside the caller's transaction.

// A received order guide (UpdateWo: A account, B guide, per line C..R, N
// count) replaces the master lines of that guide in the order sent. Columns
// the upload does not carry (comment, order count, server item count) are
// kept from the master line of the same item. A guide sent without lines
// (N=-1, which the program also sends when it could not read them) and a
// guide of an account outside the representative's rows change nothing.
void ApplyOrderGuide(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields);

// A received order becomes an open order of its account ("Z" and the order's
// number as invoice number, type "SO") and an entry of its order history
// dated when it was received, owned by the representative.
void ApplyReceivedOrder(SqlDatabase& db, const std::string& repId, const ReceivedOrder& order, std::int64_t orderId,
                        const std::string& receivedAt);

// The representative's edits of an account (updateAccounts) replace the
// master row's fields that were sent, on an account of his own or of nobody.
void ApplyAccountEdit(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields);

// A note (updateNotes) joins the master notes of an account of the
// representative; a note sent with UpdatedFlag 2 leaves them. Sent again, a
// note is not stored twice.
void ApplyNote(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields);

// A taken survey (takeSurveys) is stored with its answers under a DoneID of the
// server's own; the same survey sent again is not stored twice.
void ApplySurvey(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields);

// A form answer (UpdateFormsFilled) replaces the master answer of that form,
// account and question.
void ApplyFormAnswer(SqlDatabase& db, const std::string& repId, const std::vector<UploadField>& fields);

} // namespace zev::server
