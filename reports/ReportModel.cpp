#include "reports/ReportModel.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "reports/SqlPlaceholder.h"
#include "tabula/Query.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zev {

ReportModel::ReportModel(ReportFile file, ItemTextSwitches switches, IMessageBox& messages, int poolKey)
    : m_file(std::move(file)), m_switches(switches), m_messages(messages), m_poolKey(poolKey)
{
}

void ReportModel::Tell(const std::string& text) const
{
    m_messages.ShowText(text, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
}

int ReportModel::LoadNames()
{
    m_names = m_file.Names();
    m_current = -1;
    m_definition = ReportDefinition{};
    m_entries.clear();
    m_selectedEntry = -1;
    m_rows.clear();
    if (!m_names.empty())
        Select(0);
    return static_cast<int>(m_names.size());
}

bool ReportModel::Select(int index)
{
    m_rows.clear();
    m_entries.clear();
    m_selectedEntry = -1;
    if (index < 0 || static_cast<std::size_t>(index) >= m_names.size()) {
        m_pendingPreselect = 0;
        return false;
    }
    m_current = index;
    m_definition = m_file.Read(m_names[static_cast<std::size_t>(index)]);
    if (!m_definition.Usable())
        Tell(m_definition.ProblemText());

    m_entries = ReportParameter::Entries(m_definition.Parameter(), m_switches, m_poolKey);
    if (!m_entries.empty()) {
        m_selectedEntry = 0;
        if (m_definition.Parameter() != ReportParameterKind::Days && m_pendingPreselect != 0) {
            for (std::size_t i = 0; i < m_entries.size(); ++i) {
                if (m_entries[i].id == m_pendingPreselect) {
                    m_selectedEntry = static_cast<int>(i);
                    break;
                }
            }
        }
    }
    m_pendingPreselect = 0;
    return true;
}

void ReportModel::SelectEntry(int index)
{
    m_selectedEntry = index >= 0 && static_cast<std::size_t>(index) < m_entries.size() ? index : -1;
}

int ReportModel::FindEntry(const std::string& prefix) const
{
    if (prefix.empty())
        return -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const std::string& text = m_entries[i].text;
        if (text.size() < prefix.size())
            continue;
        bool match = true;
        for (std::size_t k = 0; k < prefix.size() && match; ++k)
            match = std::tolower(static_cast<unsigned char>(text[k])) ==
                    std::tolower(static_cast<unsigned char>(prefix[k]));
        if (match)
            return static_cast<int>(i);
    }
    return -1;
}

bool ReportModel::Run()
{
    m_rows.clear();
    if (m_current < 0)
        return false;
    if (!m_definition.Usable()) {
        Tell(m_definition.ProblemText());
        return false;
    }
    std::string sql = m_definition.sql;
    if (HasParameter()) {
        if (m_selectedEntry < 0) {
            m_messages.ShowText("Choose a value in the box beside the report name first; the report \"" +
                                    m_definition.name + "\" has nothing to run with.",
                                ids::kCaptionInformation, MbButtons::Ok, MbIcon::Information);
            return false;
        }
        sql = SqlPlaceholder::FillNumber(sql, m_entries[static_cast<std::size_t>(m_selectedEntry)].id);
    }

    Query query("", "", m_poolKey);
    CVORecordset* rs = query.getRS();
    if (!rs || !rs->Open(sql, adOpenStatic, adLockReadOnly, adCmdText)) {
        Tell("The report \"" + m_definition.name + "\" in " + ReportFile::kFileName +
             " cannot run: the statement of \"SQL\" failed" +
             (rs && !rs->GetLastError().empty() ? ": " + rs->GetLastError() : std::string(".")));
        return false;
    }
    const int columns = m_definition.ColumnCount();
    if (rs->GetFieldCount() < columns) {
        Tell("The report \"" + m_definition.name + "\" in " + ReportFile::kFileName + " cannot run: \"Headings\" has " +
             std::to_string(columns) + " columns but the statement of \"SQL\" gives " +
             std::to_string(rs->GetFieldCount()) + ".");
        return false;
    }
    m_rows.reserve(static_cast<std::size_t>(rs->getRSRecordCount()));
    char number[64];
    for (; !rs->IsEOF(); rs->MoveNext()) {
        Row row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            switch (m_definition.TypeLetter(c)) {
            case 'a':
                row.push_back(rs->GetFieldValueString(c));
                break;
            case 'f':
                std::snprintf(number, sizeof number, "%.2lf", rs->GetFieldValue(c).ToDouble());
                row.emplace_back(number);
                break;
            case 'n':
                std::snprintf(number, sizeof number, "%d", rs->GetFieldValue(c).ToInt());
                row.emplace_back(number);
                break;
            default:
                row.emplace_back();
                break;
            }
        }
        m_rows.push_back(std::move(row));
    }
    return true;
}

void ReportModel::Sort(int column)
{
    if (column < 0 || column >= m_definition.ColumnCount())
        return;
    const char type = m_definition.TypeLetter(column);
    const bool numeric = type == 'n' || type == 'f';
    const int direction = m_direction;
    const auto col = static_cast<std::size_t>(column);
    auto compare = [&](const Row& first, const Row& second) {
        int result;
        if (numeric) {
            const double a = std::atof(first[col].c_str());
            const double b = std::atof(second[col].c_str());
            result = a < b ? -1 : (a > b ? 1 : 0);
        } else {
            // The second row's text against the first's, byte by byte.
            result = std::strcmp(second[col].c_str(), first[col].c_str());
            result = result < 0 ? -1 : (result > 0 ? 1 : 0);
        }
        return result * direction;
    };
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Row& a, const Row& b) { return compare(a, b) < 0; });
    m_direction = -m_direction;
}

bool ReportModel::DrillDown(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() || m_rows[static_cast<std::size_t>(row)].empty())
        return false;
    const std::string clicked = m_rows[static_cast<std::size_t>(row)][0];
    const std::string& linkTo = m_definition.linkTo;
    if (linkTo.empty())
        return false;
    const auto found = std::find(m_names.begin(), m_names.end(), linkTo);
    const std::string prefix =
        "The report \"" + m_definition.name + "\" in " + ReportFile::kFileName + " cannot drill down: ";
    if (found == m_names.end()) {
        Tell(prefix + "\"LinkTo\" names \"" + linkTo + "\", which is not listed under \"Queries\".");
        return false;
    }
    const std::string& linkSql = m_definition.linkSql;
    if (linkSql.empty())
        return false;
    if (SqlPlaceholder::Count(linkSql, 's') != 1 || !SqlPlaceholder::IsSelect(linkSql)) {
        Tell(prefix + "\"LinkSQL\" must be a select holding exactly one %s for the row's first cell.");
        return false;
    }
    Query query("", "", m_poolKey);
    CVORecordset* rs = query.getRS();
    if (!rs || !rs->Open(SqlPlaceholder::FillText(linkSql, clicked), adOpenStatic, adLockReadOnly, adCmdText)) {
        Tell(prefix + "the statement of \"LinkSQL\" failed" +
             (rs && !rs->GetLastError().empty() ? ": " + rs->GetLastError() : std::string(".")));
        return false;
    }
    m_pendingPreselect = rs->IsEOF() ? 0 : rs->GetFieldValue(0).ToInt();
    Select(static_cast<int>(found - m_names.begin()));
    Run();
    return true;
}

std::string ReportModel::Title() const
{
    std::string title = m_definition.name;
    if (HasParameter() && m_selectedEntry >= 0)
        title += " - " + m_entries[static_cast<std::size_t>(m_selectedEntry)].text;
    return title;
}

} // namespace zev
