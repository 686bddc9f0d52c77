#include "reports/ReportDefinition.h"

#include "base/Text.h"

#include "app/core/IniReader.h"
#include "reports/SqlPlaceholder.h"

#include <cctype>
#include <charconv>

namespace zev {

namespace {

// Whole integers, blanks around them allowed; false at the first entry that is no number.
bool ToIntegers(const std::vector<std::string>& entries, std::vector<int>& out, std::string& bad)
{
    out.clear();
    for (const std::string& entry : entries) {
        const std::string text = Trim(entry);
        int value = 0;
        const char* end = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(text.data(), end, value);
        if (text.empty() || ec != std::errc() || ptr != end) {
            bad = entry;
            return false;
        }
        out.push_back(value);
    }
    return true;
}

std::string CountText(std::size_t n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); }

} // namespace

ReportParameterKind ReportDefinition::Parameter() const
{
    // A distributor writing "days" means Days.
    if (EqualsNoCase(data, "Items"))
        return ReportParameterKind::Items;
    if (EqualsNoCase(data, "Accounts"))
        return ReportParameterKind::Accounts;
    if (EqualsNoCase(data, "Days"))
        return ReportParameterKind::Days;
    return ReportParameterKind::None;
}

char ReportDefinition::TypeLetter(int column) const
{
    if (column < 0 || static_cast<std::size_t>(column) >= types.size())
        return '\0';
    const std::string& type = types[static_cast<std::size_t>(column)];
    return type.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(type[0])));
}

std::string ReportDefinition::ProblemText() const
{
    std::string text = "The report \"" + name + "\" in " + ReportFile::kFileName + " cannot run:";
    for (const Problem& p : problems)
        text += "\n- \"" + p.key + "\": " + p.text;
    return text;
}

ReportFile ReportFile::InFolder(const std::string& folder)
{
    if (folder.empty())
        return ReportFile(kFileName);
    const char last = folder.back();
    return ReportFile(folder + (last == '/' || last == '\\' ? "" : "/") + kFileName);
}

std::string ReportFile::Value(const std::string& section, const std::string& key) const
{
    return ReadProfileString(section, key, "", kValueChars, m_path);
}

std::vector<std::string> ReportFile::SplitList(std::string_view value)
{
    const std::string whole = Trim(value);
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= whole.size()) {
        std::size_t comma = whole.find(',', start);
        if (comma == std::string::npos)
            comma = whole.size();
        if (comma > start)
            out.push_back(whole.substr(start, comma - start));
        start = comma + 1;
    }
    return out;
}

std::vector<std::string> ReportFile::Names() const
{
    std::vector<std::string> names;
    for (const std::string& entry : SplitList(Value("Queries", "Queries"))) {
        std::string name = Trim(entry);
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}

ReportDefinition ReportFile::Read(const std::string& name) const
{
    ReportDefinition d;
    d.name = name;
    d.headings = SplitList(Value(name, "Headings"));
    const std::vector<std::string> formats = SplitList(Value(name, "Format"));
    const std::vector<std::string> widths = SplitList(Value(name, "Widths"));
    d.sql = Trim(Value(name, "SQL"));
    d.types = SplitList(Value(name, "Types"));
    d.data = Trim(Value(name, "Data"));
    d.linkTo = Trim(Value(name, "LinkTo"));
    d.linkSql = Trim(Value(name, "LinkSQL"));

    auto problem = [&d](const char* key, std::string text) { d.problems.push_back({key, std::move(text)}); };
    const std::size_t columns = d.headings.size();
    if (columns == 0)
        problem("Headings", "missing or empty; it names the report's columns");

    std::string bad;
    if (!ToIntegers(formats, d.formats, bad))
        problem("Format", "\"" + bad + "\" is not a whole number (0 left, 1 right, 2 centre)");
    else if (d.formats.size() < columns)
        problem("Format", "has " + CountText(d.formats.size(), "entry") + " but \"Headings\" has " +
                              CountText(columns, "column"));
    if (!ToIntegers(widths, d.widths, bad))
        problem("Widths", "\"" + bad + "\" is not a whole number of pixels");
    else if (d.widths.size() < columns)
        problem("Widths",
                "has " + CountText(d.widths.size(), "entry") + " but \"Headings\" has " + CountText(columns, "column"));
    if (d.types.size() < columns)
        problem("Types",
                "has " + CountText(d.types.size(), "entry") + " but \"Headings\" has " + CountText(columns, "column"));

    if (d.sql.empty()) {
        problem("SQL", "missing or empty");
    } else if (!SqlPlaceholder::IsSelect(d.sql)) {
        problem("SQL", "a report may only read; the statement must begin with \"select\"");
    } else {
        const int placeholders = SqlPlaceholder::Count(d.sql, 'd');
        if (d.Parameter() != ReportParameterKind::None && placeholders != 1)
            problem("SQL", "must hold exactly one %d for the \"" + d.data + "\" parameter (it holds " +
                               std::to_string(placeholders) + ")");
        else if (d.Parameter() == ReportParameterKind::None && placeholders != 0)
            problem("SQL", "holds %d but \"Data\" names no parameter (Items, Accounts or Days)");
    }
    return d;
}

} // namespace zev
