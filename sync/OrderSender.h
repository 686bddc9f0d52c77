#pragma once

#include "sync/DatabaseBuilder.h"
#include "sync/SyncEngine.h"
#include "sync/Uploads.h"

namespace zev::sync {

// Sends ready orders to the server, one request per order, and removes each
// one locally once the server has confirmed it.
class OrderSender {
public:
    OrderSender(SyncEngine& engine, DatabaseBuilder& builder, Uploads& uploads);

    // readyId 0 sends every ready order. True when every selected order was
    // confirmed, when there was nothing to send, or when no connection was
    // made; false when an order's exchange failed.
    bool SendOrders(int readyId, IProgressSink* window);

    // The body of one order as it would be posted (lines in line order).
    std::string BuildOrderBody(const Row& order, int* lineCount = nullptr);

    int SentCount() const { return m_sent; }

private:
    SyncEngine& m_e;
    DatabaseBuilder& m_builder;
    Uploads& m_uploads;
    int m_sent = 0;
};

} // namespace zev::sync
