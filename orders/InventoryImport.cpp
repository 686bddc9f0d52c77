#include "orders/InventoryImport.h"

#include "base/Text.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "orders/OrderGuide.h"
#include "tables/InvImport.h"
#include "tables/Items.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace zev {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// A whole number, blanks around it allowed; the reason when it is not one.
bool WholeNumber(std::string_view field, int& out, std::string& reason, const char* what)
{
    const std::string t = Trim(field);
    if (t.empty()) {
        reason = std::string("no ") + what;
        return false;
    }
    const char* first = t.data();
    if (*first == '+')
        ++first;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), out);
    if (ec == std::errc::result_out_of_range) {
        reason = std::string(what) + " \"" + t + "\" is too large";
        return false;
    }
    if (ec != std::errc() || end != t.data() + t.size()) {
        reason = std::string(what) + " \"" + t + "\" is not a whole number";
        return false;
    }
    return true;
}

int SaturatingAdd(int a, int b)
{
    const long long s = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(s, INT_MIN, INT_MAX));
}

// The first missing codes of a long list, so that a file of thousands of
// unknown codes still gives a message that fits on the screen.
std::string MissingSample(const std::string& missing, int count)
{
    constexpr int kShown = 50;
    if (count <= kShown)
        return missing;
    std::size_t at = 0;
    for (int i = 0; i < kShown; ++i) {
        const std::size_t blanks = missing.find("  ", at);
        if (blanks == std::string::npos)
            break;
        at = blanks + 2;
    }
    return missing.substr(0, at) + "\n... and " + std::to_string(count - kShown) + " more";
}

} // namespace

InventoryImport::Parsed InventoryImport::Parse(const std::string& content, Kind kind)
{
    Parsed p;
    std::size_t pos = 0;
    int number = 0;
    while (pos < content.size()) {
        std::size_t end = content.find('\n', pos);
        if (end == std::string::npos)
            end = content.size();
        std::string_view line(content.data() + pos, end - pos);
        pos = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (Trim(line).empty())
            continue; // blank lines (a trailing one above all) carry nothing
        Record r;
        std::string reason;
        bool ok = true;
        if (kind == Kind::Counts) {
            const auto comma = line.find(',');
            if (comma == std::string_view::npos) {
                ok = false;
                reason = "no comma between quantity and code";
            } else {
                ok = WholeNumber(line.substr(0, comma), r.quantity, reason, "quantity");
                r.code = Trim(line.substr(comma + 1));
            }
        } else {
            std::string_view fields[3];
            std::string_view rest = line;
            int found = 0;
            for (; found < 3; ++found) {
                const auto comma = rest.find(',');
                if (comma == std::string_view::npos && found < 2) {
                    break;
                }
                fields[found] = rest.substr(0, comma == std::string_view::npos ? rest.size() : comma);
                rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
            }
            if (found < 3) {
                ok = false;
                reason = "fewer than three fields";
            } else {
                ok = WholeNumber(fields[0], r.type, reason, "type") &&
                     WholeNumber(fields[2], r.quantity, reason, "quantity");
                r.code = Trim(fields[1]);
            }
        }
        if (ok && r.code.empty()) {
            ok = false;
            reason = "no item code";
        }
        if (ok && r.quantity < 0) {
            ok = false;
            reason = "negative quantity";
        }
        if (ok)
            p.records.push_back(std::move(r));
        else
            p.skipped.push_back({number, reason});
    }
    return p;
}

void InventoryImport::OrderUpToPar(OrderGuide& guide)
{
    auto& rows = guide.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int units = std::max(0, rows[i].par - rows[i].inv);
        if (units != rows[i].units) {
            rows[i].units = units;
            rows[i].changed = true;
            guide.Reprice(i);
        }
    }
}

std::string InventoryImport::MovedName(Kind kind, const std::string& text1, const std::string& text2, std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%m-%d-%y %H.%M.%S", &local);
    std::string name = std::string(kind == Kind::Counts ? "Inventory for " : "OLD INV-QTY for ") + text1 + " (" +
                       text2 + ") " + stamp + ".txt";
    // Account texts may hold a slash; the file must stay in its folder.
    std::replace(name.begin(), name.end(), '/', '-');
    std::replace(name.begin(), name.end(), '\0', ' ');
    return name;
}

namespace {

struct ItemFound {
    bool found = false;
    OrderGuideRow row;
};

ItemFound LookUp(const std::string& code, int poolKey)
{
    ItemFound f;
    Items items(poolKey);
    const std::string q = Query::fixApost(code);
    for (const char* column : {"UPC", "DistributorSKU"}) {
        const std::string sql =
            std::string("select ItemID, Description, QtyPerCase, ProductKind, UPC, DistributorSKU, "
                        "QtyOnHand, ItemFlags, SellMultiple from Items where DeletedFlag = 0 and ") +
            column + " = '" + q + "'";
        if (items.Open(sql) == 0 || items.IsEOF())
            continue;
        OrderGuideRow& r = f.row;
        r.itemId = items.GetFieldValueInt(0);
        r.description = items.GetFieldValueString(1);
        r.qtyPerCase = std::max(1, items.GetFieldValueInt(2));
        r.productKind = items.GetFieldValueInt(3);
        r.upc = items.GetFieldValueString(4);
        r.sku = items.GetFieldValueString(5);
        r.stock = items.GetFieldValueInt(6);
        r.itemFlags = items.GetFieldValueInt(7);
        r.sellMultiple = items.GetFieldValueInt(8);
        f.found = true;
        return f;
    }
    return f;
}

} // namespace

InventoryImport::Outcome InventoryImport::Run(OrderGuide& guide, const std::string& path, const Options& o,
                                              IMessageBox& box)
{
    Outcome out;
    const bool k1 = o.kind == Kind::Counts;
    auto fail = [&](const std::string& text) {
        box.ShowText(text, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return out;
    };
    if (Trim(path).empty())
        return fail(k1 ? "Inventory file must be specified." : "An Inventory-Quantity file must be specified.");
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return fail(k1 ? "Unable to find inventory file." : "Unable to find Inventory-Quantity file.");
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (!in && !in.eof())
        return fail(k1 ? "Unable to find inventory file." : "Unable to find Inventory-Quantity file.");
    const std::string content = buffer.str();
    if (Trim(content).find_first_not_of("\n\r \t") == std::string::npos)
        return fail(k1 ? "Inventory file is empty." : "Inventory-Quantity file is empty.");

    Parsed parsed = Parse(content, o.kind);
    out.skipped = parsed.skipped;
    auto skippedReport = [&] {
        if (out.skipped.empty())
            return std::string();
        std::string s = "\n\n" + std::to_string(out.skipped.size()) +
                        (out.skipped.size() == 1 ? " line could not be read and was skipped:"
                                                 : " lines could not be read and were skipped:");
        const std::size_t shown = std::min<std::size_t>(out.skipped.size(), 20);
        for (std::size_t i = 0; i < shown; ++i)
            s += "\nLine " + std::to_string(out.skipped[i].line) + ": " + out.skipped[i].reason;
        if (shown < out.skipped.size())
            s += "\n... and " + std::to_string(out.skipped.size() - shown) + " more";
        return s;
    };
    if (parsed.records.empty())
        return fail(std::string(k1 ? "Nothing was imported: no line of the inventory file could be read."
                                   : "Nothing was imported: no line of the Inventory-Quantity file could be read.") +
                    skippedReport());

    // The work is done on a copy: a failure leaves the screen's guide as it was.
    OrderGuide work = guide;
    auto& rows = work.Rows();
    if (o.reset) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            OrderGuideRow& r = rows[i];
            if (r.inv == 0)
                continue;
            r.inv = 0;
            r.changed = true;
            if (!k1) {
                r.units = 0;
                r.extendedPrice = 0;
            }
        }
    }
    auto key = [&](const std::string& code) { return k1 ? code : Lower(code); };
    std::unordered_map<std::string, std::size_t> index; // the first row holding the code
    auto indexRow = [&](std::size_t i) {
        if (!rows[i].upc.empty())
            index.emplace(key(rows[i].upc), i);
        if (!rows[i].sku.empty())
            index.emplace(key(rows[i].sku), i);
    };
    for (std::size_t i = 0; i < rows.size(); ++i)
        indexRow(i);
    std::unordered_map<std::string, bool> missingCodes;
    int highest = 0;
    for (const auto& r : rows)
        highest = std::max(highest, r.lineItemNumber);
    for (const auto& r : work.HiddenRows())
        highest = std::max(highest, r.lineItemNumber);
    std::vector<bool> touched(rows.size(), false);

    for (const Record& rec : parsed.records) {
        ++out.records;
        std::size_t at = 0;
        if (auto it = index.find(key(rec.code)); it != index.end()) {
            at = it->second;
        } else if (missingCodes.contains(rec.code)) {
            out.missing += rec.code + "  ";
            ++out.errors;
            continue;
        } else {
            ItemFound f = LookUp(rec.code, 0);
            if (!f.found) {
                missingCodes.emplace(rec.code, true);
                out.missing += rec.code + "  ";
                ++out.errors;
                continue;
            }
            f.row.isNew = true;
            f.row.changed = true;
            f.row.catalogId = o.catalogId;
            f.row.lineItemNumber = ++highest;
            if (o.price)
                o.price(f.row.itemId, f.row.casePrice, f.row.singlePrice, 1, o.catalogId, 0);
            rows.push_back(std::move(f.row));
            touched.push_back(false);
            at = rows.size() - 1;
            indexRow(at);
            ++out.added;
        }
        OrderGuideRow& r = rows[at];
        if (k1 || rec.type == 1)
            r.inv = SaturatingAdd(r.inv, rec.quantity);
        else
            r.units = SaturatingAdd(r.units, rec.quantity);
        r.changed = true;
        touched[at] = true;
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (touched[i] || (o.reset && !k1))
            work.Reprice(i);
    if (o.orderUpToPar)
        OrderUpToPar(work);
    for (const auto& r : rows)
        out.invEntries += r.inv > 0 ? 1 : 0;
    out.guideEntries = static_cast<int>(rows.size());

    InvImport log;
    if (log.beginTransaction() == 0)
        return fail("Unable to import the inventory: the database is busy.");
    char sql[512];
    std::snprintf(sql, sizeof sql,
                  "Insert into InvImport (ImportTime, AccountID, Type, ImportEntries, InvEntries, OrderGuideEntries, "
                  "ErrorCount, AddCount) Values (GetDate(), %d, %d, %d, %d, %d, %d, %d)",
                  work.AccountId(), o.reset ? 1 : 0, out.records, out.invEntries, out.guideEntries, out.errors,
                  out.added);
    bool ok = log.Open(sql) != 0;
    ok = ok && work.Rewrite();
    if (!ok || log.commitTransaction() == 0) {
        log.rollbackTransaction();
        return fail("Unable to import the inventory: the order guide could not be written. Nothing was changed.");
    }
    guide = std::move(work);
    out.ok = true;

    // Moved aside only now: a failed import leaves the file to be tried again.
    const fs::path from(path);
    const fs::path to = from.parent_path() / MovedName(o.kind, o.accountText1, o.accountText2, o.now);
    std::string moveNote;
    if (fs::exists(to, ec) || (fs::rename(from, to, ec), ec))
        moveNote = "\n\nThe file could not be moved aside; remove it before the next import: " + path;
    else
        out.movedTo = to.string();

    std::string text;
    if (out.missing.empty())
        text = k1 ? "All of the inventory has been imported." : "Inventory-Quantity file imported";
    else
        text = std::string(k1 ? "Your inventory has been imported, but one or more items could not be found.\n\n"
                                "They are:\n"
                              : "Your Inventory-Quantity file has been imported, but one or more items could not be "
                                "found.\n\nThey are:\n") +
               MissingSample(out.missing, out.errors);
    box.ShowText(text + skippedReport() + moveNote, ids::kCaptionInformation, MbButtons::Ok,
                 out.missing.empty() && out.skipped.empty() ? MbIcon::Information : MbIcon::Warning);
    return out;
}

} // namespace zev
