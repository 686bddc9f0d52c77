#include "orders/OrderSaver.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "tables/ReadyOrder.h"
#include "tables/ReadyOrderItems.h"
#include "tables/SqlText.h"

#include <algorithm>

namespace zev {

OrderSaver::OrderSaver(const OrderSettings& settings, IMessageBox& box, int poolKey)
    : m_settings(settings), m_box(box), m_poolKey(poolKey)
{
}

std::string OrderSaver::NotesForSave(const std::string& typed, int maxLength)
{
    const std::size_t limit = maxLength <= 0 ? 255u : static_cast<std::size_t>(maxLength);
    std::string notes = SqlText::Trim(typed);
    if (notes.size() > limit)
        notes.resize(limit);
    return SqlText::DoubleApostrophes(notes);
}

std::string OrderSaver::CardText(const std::string& number, const std::string& month, const std::string& year)
{
    const std::string n = SqlText::Trim(number);
    return n.empty() ? std::string() : n + " ~ " + month + "/" + year;
}

OrderSaver::Card OrderSaver::SplitCard(const std::string& stored)
{
    Card card;
    const std::size_t tilde = stored.find(" ~ ");
    if (tilde == std::string::npos) {
        card.number = SqlText::Trim(stored);
        return card;
    }
    card.number = SqlText::Trim(stored.substr(0, tilde));
    const std::string expiry = stored.substr(tilde + 3);
    const std::size_t slash = expiry.find('/');
    card.month = SqlText::Trim(expiry.substr(0, slash));
    if (slash != std::string::npos)
        card.year = SqlText::Trim(expiry.substr(slash + 1));
    return card;
}

std::string OrderSaver::CreationStamp(std::time_t now)
{
    std::tm tm{};
    if (localtime_r(&now, &tm) == nullptr)
        return {};
    return SqlText::Format("{ts ''%d-%d-%d %d:%d:%d''}", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                           tm.tm_min, tm.tm_sec);
}

int OrderSaver::NextReadyId()
{
    ReadyOrder headers(m_poolKey);
    ReadyOrderItems lines(m_poolKey);
    const int a = headers.getNewPK();
    const int b = lines.getNewPK();
    if (a < 0 || b < 0)
        return -1;
    return std::max(a, b);
}

bool OrderSaver::InsertLines(const OrderHeader& header, int readyId)
{
    ReadyOrderItems items(m_poolKey);
    for (const OrderLine& l : header.lines) {
        ReadyOrderLine line;
        line.accountId = header.accountId;
        line.readyId = readyId;
        line.itemId = l.itemId;
        line.catalogId = l.catalogId;
        line.cases = l.cases;
        line.singles = l.singles;
        line.casePrice = l.casePrice;
        line.singlePrice = l.singlePrice;
        line.lineItemNumber = l.lineItemNumber;
        line.specialFlag = l.dealCode;
        line.discount = l.discount;
        line.priceOverride = l.priceOverride;
        line.par = l.par;
        line.inv = l.inv;
        line.extPrice = l.extendedPrice;
        line.retailPrice = l.retailPrice;
        line.warehouse = l.warehouse;
        line.lineComment = l.lineComment;
        if (items.insertLine(line) == 0)
            return false;
    }
    return true;
}

int OrderSaver::Save(const OrderHeader& header, std::time_t now, const RecordCall& recordCall)
{
    ReadyOrder headers(m_poolKey);
    ReadyOrderItems lines(m_poolKey);
    if (headers.beginTransaction() == 0)
        return 0;
    auto fail = [&](const char* text) {
        headers.rollbackTransaction();
        // The message never carries the statement: it holds the card number.
        if (text != nullptr)
            m_box.ShowText(text, ids::kCaptionInformation, MbButtons::Ok, MbIcon::Information);
        return 0;
    };
    // The number is taken before the previous version goes, so a modified
    // order always comes back under a number of its own.
    const int readyId = NextReadyId();
    if (readyId <= 0)
        return fail("Unable to save order header");
    if (header.readyId > 0) {
        headers.deleteOrder(header.accountId, header.readyId);
        lines.deleteOrder(header.accountId, header.readyId);
    }

    ReadyOrderHeader row;
    row.accountId = header.accountId;
    row.readyId = readyId;
    row.orderType = header.orderType;
    row.deliveryDate = header.deliveryDate;
    row.notes = header.notes;
    row.odcText = header.odcText;
    row.total = static_cast<double>(header.totalCents) / 100.0;
    row.creditTerms = header.creditTerms;
    row.created = CreationStamp(now);
    row.warehouse = header.warehouse;
    row.odcCode = header.odcCode;
    row.cancelDate = header.cancelDate;
    row.creditCard = header.creditCard;
    row.shippingMethod = header.shippingMethod;
    row.options = header.options;
    row.signature = header.signature;
    if (headers.insertHeader(row) == 0)
        return fail("Unable to save order header");
    if (!InsertLines(header, readyId))
        return fail("Unable to save order items");
    if (headers.resetGuide(header.accountId, m_settings.reset) == 0)
        return fail("Unable to reset order guide");
    if (m_settings.markCallOnOrder && recordCall && recordCall(header.accountId) == 0)
        return fail("Unable to save order header");
    if (headers.commitTransaction() == 0)
        return fail("Unable to save order header");
    return readyId;
}

int OrderSaver::SaveNoVisit(int accountId, std::time_t now, const std::string& comment, bool noCall)
{
    ReadyOrder headers(m_poolKey);
    if (headers.beginTransaction() == 0)
        return 0;
    const int readyId = NextReadyId();
    if (readyId <= 0 ||
        headers.insertInformationOrder(accountId, readyId, 2, now,
                                       NotesForSave(comment, m_settings.orderNotesMaxLength),
                                       noCall ? "No Call" : "No Sale") == 0 ||
        headers.commitTransaction() == 0) {
        headers.rollbackTransaction();
        return 0;
    }
    return readyId;
}

int OrderSaver::SaveBackorderCancellation(const OrderHeader& header, std::time_t now)
{
    ReadyOrder headers(m_poolKey);
    if (headers.beginTransaction() == 0)
        return 0;
    const int readyId = NextReadyId();
    bool ok =
        readyId > 0 &&
        headers.insertInformationOrder(header.accountId, readyId, 3, now, header.notes, "Backorder Removal") != 0 &&
        InsertLines(header, readyId);
    if (!ok || headers.commitTransaction() == 0) {
        headers.rollbackTransaction();
        return 0;
    }
    return readyId;
}

} // namespace zev
