#include "orders/GuideCommands.h"

#include "orders/OrderGuide.h"
#include "tables/Items.h"
#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace zev {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

long ColumnOf(Query& q, const char* name)
{
    CVORecordset* rs = q.getRS();
    const long n = rs != nullptr ? rs->GetFieldCount() : 0;
    for (long i = 0; i < n; ++i)
        if (Lower(rs->GetFieldName(i)) == name)
            return i;
    return -1;
}

int IntOf(Query& q, const char* name)
{
    const long c = ColumnOf(q, name);
    return c < 0 ? 0 : q.GetFieldValueInt(c);
}

std::string TextOf(Query& q, const char* name)
{
    const long c = ColumnOf(q, name);
    return c < 0 ? std::string() : SqlText::Trim(q.GetFieldValueString(c));
}

} // namespace

int GuideCommands::MoveTarget(int current, Move step, int count)
{
    if (count <= 0)
        return -1;
    int target = current;
    switch (step) {
    case Move::Top:
        target = 0;
        break;
    case Move::Up50:
        target = current - 50;
        break;
    case Move::Up20:
        target = current - 20;
        break;
    case Move::Up10:
        target = current - 10;
        break;
    case Move::Up1:
        target = current - 1;
        break;
    case Move::Down1:
        target = current + 1;
        break;
    case Move::Down10:
        target = current + 10;
        break;
    case Move::Down20:
        target = current + 20;
        break;
    case Move::Down50:
        target = current + 50;
        break;
    case Move::Bottom:
        target = count - 1;
        break;
    }
    return std::clamp(target, 0, count - 1);
}

std::pair<int, int> GuideCommands::CarrySingles(int cases, int singles, int perCase)
{
    if (perCase < 1)
        perCase = 1;
    if (cases < 0)
        cases = 0;
    if (singles >= perCase) {
        cases += singles / perCase;
        singles %= perCase;
    } else if (singles < 0) {
        if (cases > 0) {
            --cases;
            singles = perCase - 1;
        } else {
            singles = 0;
        }
    }
    return {cases, singles};
}

std::string GuideCommands::DeleteQuestion(int count)
{
    char text[160];
    std::snprintf(text, sizeof text,
                  "You have selected %d item%s to be removed from the Order Guide. \n\n Are you sure?\n", count,
                  count > 1 ? "s" : "");
    return text;
}

std::vector<std::string> GuideCommands::SplitNumbers(const std::string& typed)
{
    std::vector<std::string> tokens;
    std::string current;
    for (char c : typed) {
        if (c == ',' || std::isspace(static_cast<unsigned char>(c))) {
            if (!current.empty())
                tokens.push_back(std::move(current));
            current.clear();
        } else {
            current += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    if (!current.empty())
        tokens.push_back(std::move(current));
    return tokens;
}

std::string GuideCommands::AddReport(const AddOutcome& outcome)
{
    char line[96];
    std::string text;
    std::snprintf(line, sizeof line, "%d Item(s) were added.\n", outcome.added);
    text += line;
    std::snprintf(line, sizeof line, "%d Item(s) were already in the Order Guide.\n", outcome.already);
    text += line;
    if (!outcome.invalid.empty()) {
        std::snprintf(line, sizeof line,
                      "The following %d item(s) were not valid: ", static_cast<int>(outcome.invalid.size()));
        text += line;
        for (std::size_t i = 0; i < outcome.invalid.size(); ++i)
            text += (i ? ", " : "") + outcome.invalid[i];
    }
    return text;
}

int GuideCommands::CoopQuantity(const std::string& typed)
{
    const std::string text = SqlText::Trim(typed);
    if (text.empty() || text.size() > 4)
        return 0;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
    return std::atoi(text.c_str());
}

OrderGuideRow GuideCommands::Duplicate(const OrderGuideRow& row)
{
    OrderGuideRow copy = row;
    copy.units = 0;
    copy.extendedPrice = 0;
    copy.lineComment.clear();
    copy.isNew = true;
    copy.changed = true;
    return copy;
}

int GuideCommands::Find(const std::vector<OrderGuideRow>& rows, const std::string& text, int from)
{
    const std::string wanted = Lower(SqlText::Trim(text));
    const int n = static_cast<int>(rows.size());
    if (wanted.empty() || n == 0)
        return -1;
    for (int step = 1; step <= n; ++step) {
        const int i = ((from < 0 ? -1 : from) + step) % n;
        const OrderGuideRow& r = rows[static_cast<std::size_t>(i)];
        if (Lower(r.description).find(wanted) != std::string::npos || Lower(r.sku).find(wanted) != std::string::npos ||
            Lower(r.upc).find(wanted) != std::string::npos)
            return i;
    }
    return -1;
}

std::optional<OrderGuideRow> GuideCommands::LookUp(const std::string& number, int catalog,
                                                   const PriceBinding::PriceFn& price, int poolKey)
{
    Items items(poolKey);
    if (items.getByDistributorSKU(number) == 0 || items.IsEOF() != 0) {
        if (items.getByUPC(number) == 0 || items.IsEOF() != 0)
            return std::nullopt;
    }
    OrderGuideRow r;
    r.isNew = true;
    r.changed = true;
    r.itemId = IntOf(items, "itemid");
    r.catalogId = catalog;
    r.qtyPerCase = std::max(1, IntOf(items, "qtypercase"));
    r.stock = IntOf(items, "qtyonhand");
    r.productKind = IntOf(items, "productkind");
    r.itemFlags = IntOf(items, "itemflags");
    r.sellMultiple = IntOf(items, "sellmultiple");
    r.description = TextOf(items, "description");
    r.prefix = TextOf(items, "lineprefix");
    r.suffix = TextOf(items, "linesuffix");
    r.upc = TextOf(items, "upc");
    r.sku = TextOf(items, "distributorsku");
    if (price) {
        float casePrice = 0, singlePrice = 0;
        if (price(r.itemId, casePrice, singlePrice, 0, catalog, 0)) {
            r.casePrice = casePrice;
            r.singlePrice = singlePrice;
        }
    }
    return r;
}

GuideCommands::AddOutcome GuideCommands::AddByNumber(OrderGuide& guide, const std::string& typed, int catalog,
                                                     const PriceBinding::PriceFn& price, int poolKey)
{
    AddOutcome outcome;
    for (const std::string& number : SplitNumbers(typed)) {
        std::optional<OrderGuideRow> row = LookUp(number, catalog, price, poolKey);
        if (!row) {
            outcome.invalid.push_back(number);
            continue;
        }
        const auto same = [&](const OrderGuideRow& r) { return r.itemId == row->itemId; };
        if (std::any_of(guide.Rows().begin(), guide.Rows().end(), same) ||
            std::any_of(guide.HiddenRows().begin(), guide.HiddenRows().end(), same)) {
            ++outcome.already;
            continue;
        }
        int highest = 0;
        for (const auto& r : guide.Rows())
            highest = std::max(highest, r.lineItemNumber);
        for (const auto& r : guide.HiddenRows())
            highest = std::max(highest, r.lineItemNumber);
        row->lineItemNumber = highest + 1;
        guide.Insert(guide.Rows().size(), std::move(*row));
        ++outcome.added;
    }
    return outcome;
}

} // namespace zev
