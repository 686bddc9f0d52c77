#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zev {

// The kind of value a report asks for before it runs.
enum class ReportParameterKind { None, Items, Accounts, Days };

// One report of Report.ini: its section's keys as read, split and checked.
struct ReportDefinition {
    // A fault of the definition, with the key it concerns.
    struct Problem {
        std::string key;
        std::string text;
    };

    std::string name;
    std::vector<std::string> headings;
    std::vector<int> formats; // 0 left, 1 right, 2 centre
    std::vector<int> widths;  // pixels
    std::string sql;
    std::vector<std::string> types; // first letter: a text, f amount, n whole number
    std::string data;               // "Items", "Accounts", "Days" or anything else (no parameter)
    std::string linkTo;
    std::string linkSql;
    std::vector<Problem> problems; // empty when the report can run

    int ColumnCount() const { return static_cast<int>(headings.size()); }
    ReportParameterKind Parameter() const;
    // The type letter of a column in lower case; '\0' when there is none.
    char TypeLetter(int column) const;
    bool Usable() const { return problems.empty(); }
    // One message naming the report and every faulty key.
    std::string ProblemText() const;
};

// Report.ini, the distributor's report definitions beside the program. Every
// value is read afresh (the file may be edited while the program runs); a
// missing file or key reads as empty.
class ReportFile {
public:
    static constexpr const char* kFileName = "Report.ini";
    static constexpr std::size_t kValueChars = 4095;

    explicit ReportFile(std::string path) : m_path(std::move(path)) {}
    // The file in a program folder.
    static ReportFile InFolder(const std::string& folder);

    // Queries/Queries split on ",", each name trimmed.
    std::vector<std::string> Names() const;
    ReportDefinition Read(const std::string& name) const;
    std::string Value(const std::string& section, const std::string& key) const;

    const std::string& Path() const { return m_path; }

    // The file's list rule: the whole value trimmed, split on ","; runs of
    // commas count as one, so no entry is empty. Entries keep their blanks.
    static std::vector<std::string> SplitList(std::string_view value);

private:
    std::string m_path;
};

} // namespace zev
