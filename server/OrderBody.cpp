#include "server/OrderBody.h"

#include "server/FormBody.h"

#include <map>

namespace zev::server {

namespace {

// Order texts carry "%" as %25, "&" as %26 and, in line comments, "^" as %94.
std::string Decode(const std::string& text) { return Unescape(text, EscapeSetB()); }

bool ParseLine(int number, const std::string& value, ReceivedOrderLine& line, std::string& error)
{
    std::vector<std::string> parts = SplitAt(value, '^');
    if (parts.size() < 14) {
        error = "line " + std::to_string(number) + " has " + std::to_string(parts.size()) + " fields";
        return false;
    }
    // A stray caret can only be the comment's (the other texts are flags and amounts); keep it there.
    for (size_t i = 14; i < parts.size(); ++i)
        parts[13] += "^" + parts[i];
    auto integer = [&](size_t i, long long& out) {
        auto v = ParseInteger(parts[i]);
        if (v)
            out = *v;
        return v.has_value();
    };
    auto decimal = [&](size_t i, double& out) {
        auto v = ParseDecimal(parts[i]);
        if (v)
            out = *v;
        return v.has_value();
    };
    line.lineNumber = number;
    bool ok = integer(0, line.itemId) && integer(1, line.cases) && integer(2, line.singles) &&
              decimal(3, line.caseDistPrice) && decimal(4, line.singleDistPrice) && integer(8, line.par) &&
              integer(9, line.inv) && decimal(10, line.extPrice) && decimal(11, line.retailPrice) &&
              integer(12, line.warehouse);
    if (!ok) {
        error = "line " + std::to_string(number) + " has a malformed number";
        return false;
    }
    line.specialFlag = Decode(parts[5]);
    line.discountAmount = Decode(parts[6]);
    line.priceOverride = Decode(parts[7]);
    line.lineComment = Decode(parts[13]);
    return true;
}

} // namespace

bool ParseOrderBody(const std::string& body, ReceivedOrder& order, std::string& error)
{
    order = ReceivedOrder{};
    std::vector<FormField> fields = SplitForm(body);
    std::map<std::string, std::string> simple;
    std::map<int, std::string> lineParts;
    std::optional<long long> declared;
    for (const FormField& field : fields) {
        if (field.name.size() > 1 && field.name[0] == 'L') {
            auto n = ParseInteger(field.name.substr(1));
            if (!n || *n < 1 || *n > 100000) {
                error = "bad line name " + field.name;
                return false;
            }
            if (!lineParts.emplace(static_cast<int>(*n), field.value).second) {
                error = "line " + field.name + " sent twice";
                return false;
            }
        } else if (field.name == "T") {
            declared = ParseInteger(field.value);
            if (!declared) {
                error = "bad line count";
                return false;
            }
        } else {
            simple.emplace(field.name, field.value);
        }
    }
    auto text = [&](const char* name) {
        auto it = simple.find(name);
        return it == simple.end() ? std::string() : Decode(it->second);
    };
    auto account = simple.find("A");
    auto accountId = account == simple.end() ? std::nullopt : ParseInteger(account->second);
    if (!accountId) {
        error = "no account";
        return false;
    }
    order.accountId = *accountId;
    order.deliveryDate = TrimBlanks(text("B"));
    order.notes = text("C");
    order.odcText = text("D");
    order.creditTerms = text("E");
    order.createdTime = text("F");
    order.warehouse = text("G");
    order.odcCode = text("H");
    order.cancelDate = text("I");
    order.creditCard = text("J");
    order.shipMethod = text("K");
    // The signature is passed through exactly as stored by the program.
    if (auto s = simple.find("S"); s != simple.end())
        order.signature = s->second;
    auto marks = simple.find("KK");
    if (marks == simple.end()) {
        error = "no option marks";
        return false;
    }
    std::vector<std::string> markParts = SplitAt(marks->second, '|');
    if (markParts.size() != 10) {
        error = "option marks need ten values";
        return false;
    }
    for (size_t i = 0; i < 10; ++i) {
        auto v = ParseInteger(markParts[i]);
        if (!v) {
            error = "bad option mark";
            return false;
        }
        order.optionMarks[i] = static_cast<int>(*v);
    }
    if (!declared) {
        error = "no line count";
        return false;
    }
    if (static_cast<long long>(lineParts.size()) != *declared) {
        error =
            "line count " + std::to_string(*declared) + " but " + std::to_string(lineParts.size()) + " lines arrived";
        return false;
    }
    int expected = 1;
    for (const auto& [number, value] : lineParts) {
        if (number != expected++) {
            error = "lines are not numbered from 1 without gaps";
            return false;
        }
        ReceivedOrderLine line;
        if (!ParseLine(number, value, line, error))
            return false;
        order.lines.push_back(std::move(line));
    }
    return true;
}

} // namespace zev::server
