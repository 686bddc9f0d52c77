#pragma once

#include "app/core/Screen.h"

#include "orders/OrderGuideRow.h"
#include "orders/OrderSettings.h"

#include <functional>
#include <string>

namespace zev {

class IMessageBox;

// The keypad screen's state and rules without its widgets: what was keyed,
// the current item and its guide line, and every button's action. Each
// change is written straight to the guide's line and marks the guide for
// upload, in one transaction.
class ExpressEntry {
public:
    // price out, single price out, quantity in units, catalogue, deal code.
    using PriceFn = std::function<bool(int, float&, float&, int, int, unsigned)>;

    struct Options {
        bool invParEntersInventory = false; // the par/inventory button sets the inventory
        bool invParFillsToPar = false;      // ... or, with the above, the par and cases up to it
        bool doneToGuide = false;           // Done goes to the order guide, not the account list
        int catalogId = 0;                  // of lines added
    };

    // The labels' texts.
    struct Display {
        std::string description, sku, upc, casePrice, singlePrice, onHand, par, inventory, quantity, deal, discount,
            priceOverride;
    };

    static constexpr zev::Screen kScreenAccountList = zev::Screen::Accounts;
    static constexpr zev::Screen kScreenOrderGuide = zev::Screen::OrderGuide;

    ExpressEntry(int accountId, int workOrderId, OrderSettings settings, Options options, PriceFn price,
                 IMessageBox& box, int poolKey = 0);

    // The entry field: a keypad key goes in at the caret.
    const std::string& Entry() const { return m_entry; }
    std::size_t Caret() const { return m_caret; }
    void SetEntry(const std::string& text, std::size_t caret);
    void Key(char c);
    void Clear();

    bool HasItem() const { return m_hasItem; }
    const OrderGuideRow& Line() const { return m_line; }
    const Display& Shown() const { return m_display; }

    // The buttons. Each empties the entry field afterwards; false when it
    // changed nothing (refused, not a number, no item).
    bool Lookup();
    bool Cases();
    bool Singles();
    bool Zero();
    bool Deal();
    bool Discount();
    bool Override();
    bool InvPar();
    // The screen request to leave to.
    Screen Done() const { return m_options.doneToGuide ? kScreenOrderGuide : kScreenAccountList; }
    static Screen Cancel() { return kScreenAccountList; }

private:
    bool Number(int& n) const;
    bool ConfirmCases(int cases);
    bool ReadLine(int itemId);
    bool AddLine();
    bool WriteLine(const OrderGuideRow& line);
    bool WriteQuantities(const OrderGuideRow& line);
    void Refresh();
    bool Finish(bool result);

    int m_accountId;
    int m_workOrderId;
    OrderSettings m_settings;
    Options m_options;
    PriceFn m_price;
    IMessageBox& m_box;
    int m_poolKey;

    std::string m_entry;
    std::size_t m_caret = 0;
    bool m_hasItem = false;
    OrderGuideRow m_line;
    Display m_display;
};

} // namespace zev
