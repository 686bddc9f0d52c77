#include "tabula/ResultSet.h"

#include <sqlite3.h>

#include <cstring>

namespace tabula::detail {

void ResultSet::AppendRow(sqlite3_stmt* stmt)
{
    const std::size_t n = names.size();
    for (std::size_t c = 0; c < n; ++c) {
        const int ci = static_cast<int>(c);
        std::uint64_t bits = 0;
        Variant::Type t = Variant::Type::Null;
        switch (sqlite3_column_type(stmt, ci)) {
        case SQLITE_INTEGER: {
            t = Variant::Type::Integer;
            std::int64_t v = sqlite3_column_int64(stmt, ci);
            std::memcpy(&bits, &v, sizeof bits);
            break;
        }
        case SQLITE_FLOAT: {
            t = Variant::Type::Real;
            double v = sqlite3_column_double(stmt, ci);
            std::memcpy(&bits, &v, sizeof bits);
            break;
        }
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            t = Variant::Type::Text;
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, ci));
            std::uint32_t len = text ? static_cast<std::uint32_t>(sqlite3_column_bytes(stmt, ci)) : 0;
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
