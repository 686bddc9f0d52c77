#pragma once

#include "sync/DatabaseBuilder.h"
#include "sync/SyncEngine.h"
#include "sync/Uploads.h"

#include <string>
#include <vector>

namespace zev::sync {

// What to do with an order whose last sending ended without an answer (it
// may have reached the distributor).
enum class UnknownOrders { Ask, Skip, Resend };

// An order whose sending started and never learned its outcome.
struct UnknownOrder {
    int readyId = 0;
    std::string account; // account number and name
    std::string started; // when the sending started
};

// Sends ready orders to the server, one request per order, and removes each
// one locally once the server has confirmed it. Before an order is posted,
// the local-only table OrderSendState records that its sending started; the
// record goes with the order once confirmed, or alone once the order is
// known not to have arrived. A record left behind (killed, time-out,
// connection lost after the body went out) marks the order as one that may
// have reached the distributor: it is sent again only when the user says so.
class OrderSender {
public:
    OrderSender(SyncEngine& engine, DatabaseBuilder& builder, Uploads& uploads);

    // readyId 0 sends every ready order. True when every selected order was
    // confirmed, when there was nothing to send, or when no connection was
    // made; false when an order's exchange failed or an order of unknown
    // outcome was skipped.
    bool SendOrders(int readyId, IProgressSink* window, UnknownOrders unknown = UnknownOrders::Ask);

    // Orders that may have reached the distributor, oldest first.
    std::vector<UnknownOrder> UnknownOutcomes();
    static constexpr const char* kStateTable = "OrderSendState";

    // The body of one order as it would be posted (lines in line order).
    std::string BuildOrderBody(const Row& order, int* lineCount = nullptr);

    int SentCount() const { return m_sent; }

private:
    // Creates the local-only table when the database lacks it.
    bool EnsureStateTable();
    // True when the user (or the policy) allows sending this order again.
    bool MaySendAgain(const UnknownOrder& order, UnknownOrders policy);

    SyncEngine& m_e;
    DatabaseBuilder& m_builder;
    Uploads& m_uploads;
    int m_sent = 0;
};

} // namespace zev::sync
