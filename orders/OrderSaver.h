#pragma once

#include "orders/OrderHeader.h"
#include "orders/OrderSettings.h"

#include <ctime>
#include <functional>
#include <string>

namespace zev {

class IMessageBox;

// Saves the order of the document as a ready order: the previous version of
// a modified order removed, a new ReadyID, the header, the lines, the guide
// reset and the call record, all in one transaction, so a failure leaves the
// ready-order tables and the guide exactly as they were.
class OrderSaver {
public:
    OrderSaver(const OrderSettings& settings, IMessageBox& box, int poolKey = 0);

    // Records the account's call; called inside the transaction when
    // MarkCallOnOrder is on. Returns non-zero on success.
    using RecordCall = std::function<int(int accountId)>;

    // The new ReadyID, or 0 after a failure (its message shown). The header
    // keeps its content either way; the caller resets it.
    int Save(const OrderHeader& header, std::time_t now, const RecordCall& recordCall = {});

    // A No Visit / No Sale record (type 2): the comment and "No Call" or
    // "No Sale". The new ReadyID, or 0.
    int SaveNoVisit(int accountId, std::time_t now, const std::string& comment, bool noCall);
    // A backorder cancellation (type 3) with its lines. The new ReadyID, or 0.
    int SaveBackorderCancellation(const OrderHeader& header, std::time_t now);

    // Order notes as stored: trimmed, cut to the maximum length (0 means 255)
    // and apostrophes doubled.
    static std::string NotesForSave(const std::string& typed, int maxLength);
    // The card text: number, " ~ ", month, "/", year; empty without a number.
    static std::string CardText(const std::string& number, const std::string& month, const std::string& year);
    struct Card {
        std::string number;
        std::string month;
        std::string year;
    };
    // A stored card text taken apart again; a text without " ~ " is all number.
    static Card SplitCard(const std::string& stored);
    // "{ts ''%d-%d-%d %d:%d:%d''}" of the local time.
    static std::string CreationStamp(std::time_t now);

private:
    int NextReadyId();
    bool InsertLines(const OrderHeader& header, int readyId);

    OrderSettings m_settings;
    IMessageBox& m_box;
    int m_poolKey;
};

} // namespace zev
