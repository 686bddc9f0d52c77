#include "server/TableStream.h"

namespace zev::server {

TableStream::TableStream(std::string databasePath, std::vector<TableQuery> tables, size_t withheld)
    : m_path(std::move(databasePath)), m_tables(std::move(tables)), m_withheld(withheld)
{
}

TableStream::~TableStream() = default;

void TableStream::StartTable(std::string& out)
{
    const TableQuery& q = m_tables[m_next++];
    auto count = m_db->Prepare("select count(*) from (" + q.sql + ")");
    for (size_t i = 0; i < q.binds.size(); ++i)
        count.Bind(static_cast<int>(i + 1), q.binds[i]);
    const long long rows = count.Step() ? count.Int(0) : 0;
    TableWriter::AppendHeader(out, q.name, q.columns, static_cast<size_t>(rows));
    m_left = rows > static_cast<long long>(m_withheld) ? rows - static_cast<long long>(m_withheld) : 0;
    m_rows.emplace(m_db->Prepare(q.sql));
    for (size_t i = 0; i < q.binds.size(); ++i)
        m_rows->Bind(static_cast<int>(i + 1), q.binds[i]);
}

bool TableStream::Next(std::string& out, size_t size)
{
    if (m_finished)
        return false;
    const size_t start = out.size();
    if (!m_db) {
        m_db = std::make_unique<SqlDatabase>(m_path);
        m_db->Exec("BEGIN");
    }
    while (out.size() - start + m_writer.PendingBytes() < size) {
        if (!m_rows) {
            if (m_next == m_tables.size()) {
                m_db->Exec("COMMIT");
                m_db.reset();
                m_finished = true;
                break;
            }
            StartTable(out);
            continue;
        }
        if (m_left <= 0 || !m_rows->Step()) {
            m_writer.MoveRowsTo(out);
            m_rows.reset();
            continue;
        }
        m_writer.BeginRow();
        for (int c = 0, n = m_rows->ColumnCount(); c < n; ++c)
            WriteColumn(m_writer, *m_rows, c);
        m_writer.EndRow();
        --m_left;
    }
    m_writer.MoveRowsTo(out);
    return out.size() > start;
}

} // namespace zev::server
