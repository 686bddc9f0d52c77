#pragma once

#include "orders/OrderGuideRow.h"
#include "orders/OrderHeader.h"
#include "orders/OrderSettings.h"

#include <functional>
#include <string>
#include <vector>

namespace zev {

class IMessageBox;

// What the rules need to know of the current account.
struct OrderAccount {
    int accountId = 0;
    int premise = 0;     // 0 off-premise, 1 on-premise
    std::string licence; // liquor licence number; empty when none
};

// The place-order check: the distributor's ordering rules in their fixed
// order, asked through the message box ("must" rules: stop icon and OK, then
// stop; "should" rules: exclamation icon and Yes/No, No stops), and the
// forming of the order from the guide when every rule passes.
class OrderRules {
public:
    struct Outcome {
        bool placed = false;
        // The visible row to select and focus after a stop, -1 for none.
        int selectRow = -1;
    };

    OrderRules(const OrderSettings& settings, IMessageBox& box);

    // `stopWorkers` stops the guide's background workers and waits for them
    // before anything is read. The guide's rows are never changed. When the
    // order passes, `header` receives it (previous lines of an order being
    // modified are replaced); `placed` is false when it got no line.
    Outcome Place(const std::vector<OrderGuideRow>& visible, const std::vector<OrderGuideRow>& hidden,
                  const OrderAccount& account, OrderHeader& header, const std::function<void()>& stopWorkers = {});

    // The line text: prefix (alcoholic items with the prefix switch), the
    // description, suffix (with the suffix switch).
    std::string LineText(const OrderGuideRow& row) const;
    void Form(const std::vector<OrderGuideRow>& visible, const std::vector<OrderGuideRow>& hidden, int accountId,
              OrderHeader& header) const;

private:
    bool Must(const std::string& text);
    bool Should(const std::string& text);

    OrderSettings m_settings;
    IMessageBox& m_box;
};

} // namespace zev
