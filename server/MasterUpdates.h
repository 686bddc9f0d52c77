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

} // namespace zev::server
