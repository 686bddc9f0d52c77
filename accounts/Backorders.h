#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zev {

// One backordered line of an account's open orders.
struct BackorderLine {
    int itemId = 0;
    int unitsPerCase = 1;
    int qtyOrdered = 0; // units
    int qtyOnHand = 0;  // units
    int lineNumber = 0;
    bool deleted = false;
    std::string invoiceNo;
    std::string description;
    std::string sku;
    int year = 0;
    int month = 0;
    int day = 0;
};

// The account's backorders: reading them, the key that names one to the
// order guide and the server, the backorder cancellation order, and moving
// backordered quantities into and out of the order guide.
class Backorders {
public:
    struct Settings {
        bool keyByInvoice = false;      // the key is the invoice number alone
        bool quantitiesInUnits = false; // quantities as units, not "cases / units"
        bool skuAsText = false;         // SKU column sorts as text, not shorter first
    };

    explicit Backorders(Settings settings, int poolKey = 0);

    // "%s:%d" of invoice and line, or the invoice alone.
    std::string Key(const BackorderLine& line) const;
    // "%d / %d" cases and units, or "%d" units.
    std::string QuantityText(int units, int perCase) const;
    // "%.2d/%.2d/%d" month, day, year.
    static std::string DateText(const BackorderLine& line);

    // The lines of the account's orders of type BO, MO or IN.
    bool LoadBackorderLines(int accountId, std::vector<BackorderLine>& lines) const;
    // The lines of the account's orders of the quoted, comma-separated types
    // (the distributor's list), items not deleted. A list without a single
    // quoted code reads nothing.
    bool LoadLinesOfTypes(int accountId, const std::string& typeList, std::vector<BackorderLine>& lines) const;
    // The type list rebuilt from its quoted codes with apostrophes doubled,
    // "" when it has none.
    static std::string CleanTypeList(const std::string& typeList);

    // Column texts of the cancel dialog: SKU, description, ordered, on hand,
    // invoice, deleted ("Yes"), date.
    std::string ColumnText(const BackorderLine& line, int column) const;
    // Sorts by a column; each call flips the direction (first ascending).
    void Sort(std::vector<BackorderLine>& lines, int column);

    enum class SaveResult { Nothing, Saved, HeaderFailed, LineFailed };
    // The cancellation of the checked lines as one ready order of type 3
    // with one line per backorder, all in one transaction.
    [[nodiscard]] SaveResult SaveCancellation(int accountId, const std::vector<BackorderLine>& checked,
                                              std::time_t now) const;
    static std::string SaveMessage(SaveResult result);

    // Adds `units` of a line's item to the order guide tagged with `tag`
    // (negative takes them out); false when the guide did not take it.
    using GuideAdd = std::function<bool(const BackorderLine& line, int units, const std::string& tag)>;
    // Applies the checks of the backorder dialog: a newly checked line adds
    // its quantity, an unchecked line whose key the guide held takes it out.
    // Returns the message to show, nullopt when no change was tried.
    std::optional<std::string> ApplyChecks(const std::vector<BackorderLine>& lines, const std::vector<bool>& checked,
                                           const std::set<std::string>& heldKeys, const GuideAdd& add) const;

private:
    bool LoadLines(const std::string& sql, std::vector<BackorderLine>& lines) const;

    Settings m_settings;
    int m_poolKey;
    int m_sortFactor = 1;
};

} // namespace zev
