#include "orders/OrderDetails.h"

#include "tables/SqlText.h"

namespace zev {

double OrderDetails::Total() const
{
    // Summed in cents, so many lines of odd amounts still add up as shown.
    long long cents = 0;
    for (const Line& l : lines)
        cents += static_cast<long long>(l.amount * 100.0 + (l.amount < 0 ? -0.5 : 0.5));
    return static_cast<double>(cents) / 100.0;
}

std::string OrderDetails::Summary() const
{
    const int n = static_cast<int>(lines.size());
    return SqlText::Format("%d line%s, total $%.2f", n, n == 1 ? "" : "s", Total());
}

std::vector<std::pair<std::string, std::string>> OrderDetails::Header() const
{
    std::vector<std::pair<std::string, std::string>> header;
    auto add = [&header](const std::string& label, const std::string& value) {
        if (!value.empty())
            header.emplace_back(label, value);
    };
    add("Order", number);
    add("Date", date);
    add("Account", account);
    add("Status", status);
    for (const auto& [label, value] : facts)
        add(label, value);
    add("Total", Summary());
    return header;
}

std::string OrderDetails::Text() const
{
    std::string text;
    for (const auto& [label, value] : Header())
        if (label != "Total")
            text += label + ": " + value + "\n";
    text += "\n";
    for (const Line& l : lines) {
        text += l.description + "\t" + l.sku + "\t" + l.quantity + "\t" + SqlText::Format("%.2f", l.amount);
        if (!l.note.empty())
            text += "\t" + l.note;
        text += "\n";
    }
    if (lines.empty())
        text += "No lines.\n";
    return text + "\n" + Summary();
}

} // namespace zev
