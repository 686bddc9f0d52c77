#include "tabula/ResultSet.h"

#include <sqlite3.h>

#include <cstring>

namespace tabula::detail {

void ResultSet::AppendRow(sqlite3_stmt* stmt)
{
    // Every sqlite3_column_* call takes the connection's mutex; a wide
    // select * paid three lock pairs a cell. The row is read under one hold
    // of that mutex instead, through the column's value, whose accessors do
    // not lock (and are safe only while the mutex is held).
    struct Hold {
        sqlite3_mutex* mutex;
        explicit Hold(sqlite3_mutex* m) : mutex(m) { sqlite3_mutex_enter(mutex); }
        ~Hold() { sqlite3_mutex_leave(mutex); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
    } hold(sqlite3_db_mutex(sqlite3_db_handle(stmt)));
    const std::size_t n = names.size();
    for (std::size_t c = 0; c < n; ++c) {
        sqlite3_value* value = sqlite3_column_value(stmt, static_cast<int>(c));
        std::uint64_t bits = 0;
        Variant::Type t = Variant::Type::Null;
        switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER: {
            t = Variant::Type::Integer;
            std::int64_t v = sqlite3_value_int64(value);
            std::memcpy(&bits, &v, sizeof bits);
            break;
        }
        case SQLITE_FLOAT: {
            t = Variant::Type::Real;
            double v = sqlite3_value_double(value);
            std::memcpy(&bits, &v, sizeof bits);
            break;
        }
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            t = Variant::Type::Text;
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            std::uint32_t len = text ? static_cast<std::uint32_t>(sqlite3_value_bytes(value)) : 0;
            bits = m_arena.size();
            // Each text is stored behind its 4-byte length.
            m_arena.append(reinterpret_cast<const char*>(&len), sizeof len);
            if (len > 0) {
                m_arena.append(text, len);
            }
            break;
        }
        default:
            break;
        }
        m_types.push_back(static_cast<std::uint8_t>(t));
        m_payload.push_back(bits);
    }
    ++m_rows;
}

void ResultSet::Clear()
{
    m_types.clear();
    m_payload.clear();
    m_arena.clear();
    m_rows = 0;
    pos = -1;
}

Variant::Type ResultSet::TypeAt(std::size_t row, std::size_t col) const
{
    return static_cast<Variant::Type>(m_types[row * names.size() + col]);
}

Variant ResultSet::Get(std::size_t row, std::size_t col) const
{
    if (row >= m_rows || col >= names.size()) {
        return {};
    }
    const std::size_t i = row * names.size() + col;
    const std::uint64_t bits = m_payload[i];
    switch (static_cast<Variant::Type>(m_types[i])) {
    case Variant::Type::Null:
        return {};
    case Variant::Type::Integer: {
        std::int64_t v;
        std::memcpy(&v, &bits, sizeof v);
        return Variant(v);
    }
    case Variant::Type::Real: {
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return Variant(v);
    }
    case Variant::Type::Text: {
        std::uint32_t len;
        std::memcpy(&len, m_arena.data() + bits, sizeof len);
        return Variant(m_arena.substr(bits + sizeof len, len));
    }
    }
    return {};
}

} // namespace tabula::detail
