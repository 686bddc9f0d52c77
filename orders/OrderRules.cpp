#include "orders/OrderRules.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "orders/Amount.h"
#include "orders/LinePricing.h"
#include "tables/SqlText.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace zev {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    std::string t = SqlText::Trim(text);
    if (t.size() < tail.size())
        return false;
    return std::equal(tail.begin(), tail.end(), t.end() - static_cast<long>(tail.size()),
                      [](char want, char have) { return std::toupper(static_cast<unsigned char>(have)) == want; });
}

} // namespace

OrderRules::OrderRules(const OrderSettings& settings, IMessageBox& box) : m_settings(settings), m_box(box) {}

bool OrderRules::Must(const std::string& text)
{
    m_box.ShowText(text, ids::kCaptionWarning, MbButtons::Ok, MbIcon::Stop);
    return false;
}

bool OrderRules::Should(const std::string& text)
{
    return m_box.ShowText(text, ids::kCaptionWarning, MbButtons::YesNo, MbIcon::Warning) == MbResult::Yes;
}

OrderRules::Outcome OrderRules::Place(const std::vector<OrderGuideRow>& visible,
                                      const std::vector<OrderGuideRow>& hidden, const OrderAccount& account,
                                      OrderHeader& header, const std::function<void()>& stopWorkers)
{
    const OrderSettings& s = m_settings;
    Outcome out;
    if (stopWorkers)
        stopWorkers();

    std::int64_t totalCents = 0;
    bool any = false;
    for (const OrderGuideRow& r : visible) {
        totalCents += Amount::Cents(r.extendedPrice);
        any = any || r.units > 0;
    }
    if (!any && s.saveHiddenLines)
        for (const OrderGuideRow& r : hidden) {
            totalCents += Amount::Cents(r.extendedPrice);
            any = any || r.units > 0;
        }
    if (!any) {
        m_box.ShowText("There are no items in this order guide to process.", ids::kCaptionInformation, MbButtons::Ok,
                       MbIcon::Information);
        return out;
    }

    const bool licensed = !SqlText::Trim(account.licence).empty();

    const std::int64_t minimumCents = static_cast<std::int64_t>(s.orderMinimum) * 100;
    if ((s.orderMinimumWarns || s.orderMinimumBlocks) && s.orderMinimum > 0 && totalCents < minimumCents) {
        const double minimum = s.orderMinimum;
        const double total = static_cast<double>(totalCents) / 100.0;
        if (s.orderMinimumWarns) {
            if (!Should(SqlText::Format("The total for your order should be at least $%.2f. Your total is currentlry "
                                        "$%.2f. \n\nAre you sure about this?",
                                        minimum, total)))
                return out;
        } else {
            Must(SqlText::Format("The total for your order must be at least $%.2f. Your total is currently "
                                 "$%.2f. Please increase the order to proceed. ",
                                 minimum, total));
            return out;
        }
    }

    int kegs = 0, deposits = 0;
    std::set<int> kinds;
    for (std::size_t i = 0; i < visible.size(); ++i) {
        const OrderGuideRow& r = visible[i];
        if (r.units <= 0)
            continue;
        const char* what = r.description.c_str();
        auto stop = [&out, i] {
            out.selectRow = static_cast<int>(i);
            return out;
        };
        const int perCase = r.qtyPerCase > 0 ? r.qtyPerCase : 1;
        const int cases = r.units / perCase;
        const bool flagged = (r.itemFlags & 2) != 0;
        if (s.largeOrderStep * 5 > 0 && cases >= s.largeOrderStep * 5 &&
            !Should(SqlText::Format("You have tried to order %d %s of %s.\nAre you sure about this?", cases,
                                    s.quantitiesInUnits ? "units" : "cases", what)))
            return stop();
        if (s.flaggedItemBlocks && flagged) {
            Must(SqlText::Format("You are trying to order %s. This product has been temporarily flagged as '%s'. "
                                 "Please remove it from the order to proceed.",
                                 what, s.flagLabel.c_str()));
            return stop();
        }
        if (s.flaggedItemWarns && flagged &&
            !Should(SqlText::Format("You are trying to order %s. This product has been temporarily flagged as '%s'. "
                                    "Are you sure about this?",
                                    what, s.flagLabel.c_str())))
            return stop();
        if (s.stockWarns && r.units > r.stock &&
            !Should(SqlText::Format("You are trying to order more of %s than is currently showing in stock.\n Are "
                                    "you sure about this?",
                                    what)))
            return stop();
        if (s.stockBlocks && r.units > r.stock) {
            Must(SqlText::Format("You are trying to order more of %s than is currently showing in stock. \n Please "
                                 "change the order amount to proceed.",
                                 what));
            return stop();
        }
        if (s.licenceRequired && r.productKind == 2 && !licensed) {
            Must(SqlText::Format("You are trying to order an alcoholic beverage (%s) for an account that has no "
                                 "liquor license. Please remove it from the order to proceed.",
                                 what));
            return stop();
        }
        if (s.premiseRestricted) {
            const bool onOnly = (r.itemFlags & 4) != 0 && account.premise == 0;
            const bool offOnly = (r.itemFlags & 8) != 0 && account.premise == 1;
            if (onOnly || offOnly) {
                if (s.premiseAsLimitedAvailability)
                    Must("You are trying to order a product that is marked as 'Limited Availability'. Please remove "
                         "it from the order to proceed.");
                else
                    Must(SqlText::Format("You are trying to order an item that has been marked as '%s Only' but the "
                                         "account is an %s account. Please remove it from the order to proceed.",
                                         onOnly ? "On-Premise" : "Off-Premise", onOnly ? "Off-Premise" : "On-Premise"));
                return stop();
            }
        }
        const bool offMultiple = r.sellMultiple > 1 && r.units % r.sellMultiple != 0;
        if (s.multiplesBlock && offMultiple) {
            Must(SqlText::Format("You are trying to order %d  %s. It must be sold in quantities of %d. Please change "
                                 "the order amount to proceed.",
                                 r.units, what, r.sellMultiple));
            return stop();
        }
        if (s.multiplesWarn && offMultiple &&
            !Should(SqlText::Format("You are trying to order %d  %s. It is supposed to be ordered in quantities of "
                                    "%d. \n\nAre you sure about this?",
                                    r.units, what, r.sellMultiple)))
            return stop();
        if (s.bottlesOfThree && r.qtyPerCase >= 3 && r.qtyPerCase % 3 == 0 && r.units % 3 != 0 &&
            !Should(SqlText::Format("Customer orders must be in bottle quantities of 3.\nSample / Spoil orders can be "
                                    "for any amount.\nYou are trying to order %d bottles of %s.\n\nIs this a Sample / "
                                    "Spoil order?",
                                    r.units, what)))
            return stop();
        if (s.kegDepositCheck) {
            if (EndsWithNoCase(r.description, "KEG DEPOSIT") || EndsWithNoCase(r.description, "KEG DEP"))
                deposits += r.units;
            else if (EndsWithNoCase(r.description, "KEG"))
                kegs += r.units;
        }
        if (s.waterCheck && r.productKind >= 1 && r.productKind <= 5)
            kinds.insert(r.productKind);
    }

    if (s.kegDepositCheck && kegs != deposits &&
        !Should("Your Keg entries do not seem to match the number of Keg Deposit entries. \n\n Do you wish to "
                "continue?"))
        return out;
    if (s.waterCheck && kinds.count(4) != 0 &&
        (kinds.count(1) + kinds.count(2) + kinds.count(3) + kinds.count(5)) != 0 &&
        !Should("It seems you are ordering Water with other products. \n\n Are you sure about this?"))
        return out;

    Form(visible, hidden, account.accountId, header);
    if (header.lines.empty()) {
        header.Reset();
        return out;
    }
    out.placed = true;
    return out;
}

std::string OrderRules::LineText(const OrderGuideRow& r) const
{
    std::string text;
    if (r.productKind == 2 && m_settings.lineTextPrefix && !r.prefix.empty())
        text = r.prefix + " ";
    text += r.description;
    if (m_settings.lineTextSuffix)
        text += " " + r.suffix;
    return text;
}

void OrderRules::Form(const std::vector<OrderGuideRow>& visible, const std::vector<OrderGuideRow>& hidden,
                      int accountId, OrderHeader& header) const
{
    header.lines.clear();
    header.accountId = accountId;
    header.totalCents = 0;
    auto take = [&](const std::vector<OrderGuideRow>& rows) {
        for (const OrderGuideRow& r : rows) {
            if (r.units == 0)
                continue;
            OrderLine l;
            l.itemId = r.itemId;
            l.catalogId = r.catalogId;
            l.qtyPerCase = r.qtyPerCase > 0 ? r.qtyPerCase : 1;
            l.cases = r.units / l.qtyPerCase;
            l.singles = r.units % l.qtyPerCase;
            l.par = r.par;
            l.inv = r.inv;
            l.lineItemNumber = r.lineItemNumber;
            l.dealCode = r.specialFlag;
            l.warehouse = r.warehouse;
            l.casePrice = r.casePrice;
            l.singlePrice = r.singlePrice;
            l.discount = r.discount;
            l.priceOverride = r.priceOverride;
            l.retailPrice = r.retailPrice;
            l.extendedPrice = r.extendedPrice;
            l.lineComment = r.lineComment;
            l.prefix = r.prefix;
            l.suffix = r.suffix;
            l.text = LineText(r);
            header.totalCents += Amount::Cents(r.extendedPrice);
            header.lines.push_back(std::move(l));
        }
    };
    take(visible);
    if (m_settings.saveHiddenLines)
        take(hidden);
}

} // namespace zev
