#include "tools/demogen/TableWriter.h"

#include <algorithm>
#include <cctype>

namespace zev::demo {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool IsNumericType(const std::string& declared)
{
    std::string t = Lower(declared);
    for (const char* word : {"int", "money", "real", "float", "bit", "decimal", "numeric", "double"})
        if (t.find(word) != std::string::npos)
            return true;
    return false;
}

} // namespace

TableWriter::TableWriter(server::SqlDatabase& db, const std::string& table, const std::string& stamp) : m_stamp(stamp)
{
    auto info = db.Prepare("select name, type from pragma_table_info(?) order by cid");
    info.Bind(1, table);
    while (info.Step()) {
        std::string name = info.Text(0);
        if (name == "zev_rep" || name == "zev_stamp")
            continue;
        m_index[Lower(name)] = static_cast<int>(m_columns.size());
        m_columns.push_back(name);
        m_numeric.push_back(IsNumericType(info.Text(1)));
    }
    if (m_columns.empty())
        return;
    std::string names, marks;
    for (const std::string& c : m_columns) {
        names += server::SqlIdent(c) + ",";
        marks += "?,";
    }
    m_insert.emplace(db.Prepare("insert into " + server::SqlIdent(table) + " (" + names +
                                "zev_rep, zev_stamp) values (" + marks + "?,?)"));
    m_values.resize(m_columns.size());
}

int TableWriter::Index(const std::string& column) const
{
    auto it = m_index.find(Lower(column));
    return it == m_index.end() ? -1 : it->second;
}

TableWriter& TableWriter::Set(const std::string& column, long long value)
{
    if (int i = Index(column); i >= 0)
        m_values[static_cast<size_t>(i)] = value;
    return *this;
}

TableWriter& TableWriter::Set(const std::string& column, double value)
{
    if (int i = Index(column); i >= 0)
        m_values[static_cast<size_t>(i)] = value;
    return *this;
}

TableWriter& TableWriter::Set(const std::string& column, const std::string& value)
{
    if (int i = Index(column); i >= 0)
        m_values[static_cast<size_t>(i)] = value;
    return *this;
}

void TableWriter::Insert(const std::string& owner)
{
    if (!m_insert)
        return;
    int n = static_cast<int>(m_columns.size());
    for (int i = 0; i < n; ++i) {
        const Value& v = m_values[static_cast<size_t>(i)];
        if (auto* integer = std::get_if<long long>(&v))
            m_insert->Bind(i + 1, static_cast<std::int64_t>(*integer));
        else if (auto* real = std::get_if<double>(&v))
            m_insert->Bind(i + 1, *real);
        else if (auto* text = std::get_if<std::string>(&v))
            m_insert->Bind(i + 1, *text);
        else if (m_numeric[static_cast<size_t>(i)])
            m_insert->Bind(i + 1, static_cast<std::int64_t>(0));
        else
            m_insert->BindNull(i + 1);
    }
    if (owner.empty())
        m_insert->BindNull(n + 1);
    else
        m_insert->Bind(n + 1, owner);
    m_insert->Bind(n + 2, m_stamp);
    m_insert->Run();
    ++m_rows;
    std::fill(m_values.begin(), m_values.end(), Value{});
}

} // namespace zev::demo
