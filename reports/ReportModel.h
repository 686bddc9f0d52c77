#pragma once

#include "reports/ReportDefinition.h"
#include "reports/ReportParameter.h"

#include <string>
#include <vector>

namespace zev {

class IMessageBox;

// The report screen without its widgets: the reports of Report.ini, the
// chosen report's definition and parameter entries, its rows, sorting by
// column and the drill-down into a linked report. Faults of a definition or
// of its statements are told through the message box, naming the report and
// the key; the other reports of the file keep working.
class ReportModel {
public:
    using Row = std::vector<std::string>;

    ReportModel(ReportFile file, ItemTextSwitches switches, IMessageBox& messages, int poolKey = 0);

    // Reads the report names and loads the first report; returns how many there are.
    int LoadNames();
    const std::vector<std::string>& Names() const { return m_names; }

    // Loads report `index`'s definition and fills its parameter entries
    // (preselecting the entry of a pending drill-down). Empties the rows. A
    // faulty definition is told once here. False for an index out of range.
    bool Select(int index);
    int CurrentIndex() const { return m_current; }
    const ReportDefinition& Definition() const { return m_definition; }

    bool HasParameter() const { return m_definition.Parameter() != ReportParameterKind::None; }
    const std::vector<ParameterEntry>& Entries() const { return m_entries; }
    int SelectedEntry() const { return m_selectedEntry; }
    void SelectEntry(int index);
    // The first entry whose text begins with `prefix`, without regard to case; -1 when none.
    int FindEntry(const std::string& prefix) const;

    // Runs the report with the selected parameter entry. False (and told)
    // when the definition is faulty, no entry is chosen or the statement
    // fails; the rows are then empty.
    bool Run();
    const std::vector<Row>& Rows() const { return m_rows; }
    void Clear() { m_rows.clear(); }

    // Sorts by a column: text columns byte by byte, amount and number columns
    // by value. One direction value, shared by every column and report,
    // starts at -1 and changes sign after every sort: the first sort puts a
    // text column in ascending and a numeric column in descending order.
    void Sort(int column);
    int SortDirection() const { return m_direction; }

    // Opens the linked report for a row: LinkSQL turns the row's first cell
    // into the linked report's parameter. False when nothing happened
    // (no link, or a faulty link, which is told).
    bool DrillDown(int row);

    // What the printout and the export call the report: its name and, with a
    // parameter, the chosen entry's text.
    std::string Title() const;

private:
    void Tell(const std::string& text) const;

    ReportFile m_file;
    ItemTextSwitches m_switches;
    IMessageBox& m_messages;
    int m_poolKey;
    std::vector<std::string> m_names;
    int m_current = -1;
    ReportDefinition m_definition;
    std::vector<ParameterEntry> m_entries;
    int m_selectedEntry = -1;
    int m_pendingPreselect = 0;
    std::vector<Row> m_rows;
    int m_direction = -1;
};

} // namespace zev
