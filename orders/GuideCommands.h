#pragma once

#include "orders/OrderGuideRow.h"
#include "orders/PriceBinding.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zev {

class OrderGuide;

// The order guide screen's commands that are plain arithmetic or data work:
// where a moved row lands, how typed singles carry and borrow, the texts of
// the delete question and the add report, finding rows and adding items by
// their numbers.
class GuideCommands {
public:
    enum class Move { Top, Up50, Up20, Up10, Up1, Down1, Down10, Down20, Down50, Bottom };

    // The index a row at `current` moves to in a list of `count` rows.
    static int MoveTarget(int current, Move step, int count);

    // Cases and singles after singles were typed or spun: a full case carries
    // into the cases, a negative count borrows one case when there is one
    // (otherwise stays 0).
    static std::pair<int, int> CarrySingles(int cases, int singles, int perCase);

    // "You have selected %d item%s to be removed ..." for `count` rows.
    static std::string DeleteQuestion(int count);

    // The typed numbers: trimmed, upper-cased, split at commas and blanks.
    static std::vector<std::string> SplitNumbers(const std::string& typed);

    struct AddOutcome {
        int added = 0;
        int already = 0;
        std::vector<std::string> invalid;
    };
    // The one message that reports an add.
    static std::string AddReport(const AddOutcome& outcome);

    // The co-op quantity typed: 0..9999, anything else 0.
    static int CoopQuantity(const std::string& typed);

    // A copy to insert after the row: nothing ordered, no comment, new.
    static OrderGuideRow Duplicate(const OrderGuideRow& row);

    // The next row after `from` (wrapping round) whose description, item
    // number or UPC holds `text` regardless of case; -1 when none.
    static int Find(const std::vector<OrderGuideRow>& rows, const std::string& text, int from);

    // An item not deleted, by its distributor number and then its UPC, as a
    // new guide row in `catalog`, priced through `price` when given.
    static std::optional<OrderGuideRow> LookUp(const std::string& number, int catalog,
                                               const PriceBinding::PriceFn& price, int poolKey = 0);

    // Adds the items typed to the end of the guide; items already in it
    // (shown or held back by the filter) are counted, not added again.
    static AddOutcome AddByNumber(OrderGuide& guide, const std::string& typed, int catalog,
                                  const PriceBinding::PriceFn& price, int poolKey = 0);
};

} // namespace zev
