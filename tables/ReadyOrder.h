#pragma once

#include "tabula/Query.h"

#include <array>
#include <ctime>
#include <string>

namespace zev {

// The 25 values of a ready order header in column order. The texts go into
// the statement as they stand: the caller has trimmed them and doubled their
// apostrophes (the order header keeps them that way).
struct ReadyOrderHeader {
    int accountId = 0;
    int readyId = 0;
    int orderType = 0; // 0 order, 2 No Visit/No Sale information, 3 backorder cancellation
    std::string deliveryDate;
    std::string notes;
    std::string odcText;
    double total = 0.0;
    std::string creditTerms;
    std::string created;
    std::string warehouse;
    std::string odcCode;
    std::string cancelDate;
    std::string creditCard;
    std::string shippingMethod;
    std::array<int, 10> options{};
    std::string signature;
};

// The distributor's switches of the guide reset after a saved order.
struct GuideResetSettings {
    bool clearFreeMarks = false;
    bool clearInventory = false;
    bool clearPriceOverride = false;
    bool clearDiscount = false;
    bool clearSpecialFlag = false;
    bool clearPar = false;
};

// Orders saved on this computer and waiting to be sent.
class ReadyOrder : public Query {
public:
    explicit ReadyOrder(int poolKey = 0);

    int insertHeader(const ReadyOrderHeader& header);
    // A header without lines of type 2 (No Visit/No Sale) or 3 (backorder
    // cancellation): created now, with the note (raw text) and the reason
    // ("No Call", "No Sale", "Backorder Removal").
    int insertInformationOrder(int accountId, int readyId, int orderType, std::time_t now, const std::string& note,
                               const std::string& reason);

    // Clears every guide line of the account for the next visit (quantities
    // and comments always, the rest by the settings) and marks the guide for
    // upload when any optional part ran. 1 success, 0 failure.
    int resetGuide(int accountId, const GuideResetSettings& settings);

    int getByReadyID(int readyId);
    int getAllByNumber();
    int deleteOrder(int accountId, int readyId);

    // "%d-%d-%d %d:%d:%d" of a local time, the creation time of types 2 and 3.
    static std::string InformationTime(std::time_t t);
};

} // namespace zev
