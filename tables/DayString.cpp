#include "tables/DayString.h"

#include <algorithm>
#include <cctype>

namespace zev {

namespace {

std::string Trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

} // namespace

DayString::DayString(const std::string& text, Default dflt) : m_value(dflt == Default::All ? kAll : kNone)
{
    if (text.empty())
        return;
    if (text[0] == 'Y' || text[0] == 'N') {
        m_value = text;
        return;
    }
    for (std::size_t i = 0; i < text.size() && i < m_value.size(); ++i)
        m_value[i] = text[i] == '1' ? 'Y' : 'N';
}

DayString& DayString::operator=(const DayString& other)
{
    if (this == &other)
        return *this;
    m_value = other.m_value.empty() ? std::string(kNone) : Trimmed(other.m_value);
    return *this;
}

DayString DayString::Intersect(const DayString& other) const
{
    DayString result;
    const std::size_t n = std::min(m_value.size(), other.m_value.size());
    result.m_value = m_value.substr(0, n);
    for (std::size_t i = 0; i < n; ++i)
        result.m_value[i] = (m_value[i] == 'Y' && other.m_value[i] == 'Y') ? 'Y' : 'N';
    return result;
}

bool DayString::IsNone() const
{
    if (m_value.size() != 7)
        return false;
    return std::all_of(m_value.begin(), m_value.end(),
                       [](char c) { return std::toupper(static_cast<unsigned char>(c)) == 'N'; });
}

bool DayString::IsSet(int dayIndex) const
{
    return dayIndex >= 0 && static_cast<std::size_t>(dayIndex) < m_value.size() && m_value[dayIndex] == 'Y';
}

void DayString::SetDay(int dayIndex, bool on)
{
    if (dayIndex < 0 || dayIndex > 6)
        return;
    // A short stored value grows with "N" so that the day can be set.
    if (m_value.size() < 7)
        m_value.resize(7, 'N');
    m_value[dayIndex] = on ? 'Y' : 'N';
}

std::string DayString::Pattern(const std::string& column, char setLetter) const
{
    std::string pattern(7, '_');
    for (std::size_t i = 0; i < 7 && i < m_value.size(); ++i)
        if (m_value[i] == 'Y')
            pattern[i] = setLetter;
    return " " + column + " LIKE '" + pattern + "' ";
}

std::string DayString::ScheduledPattern(const std::string& column) const { return Pattern(column, 'Y'); }

std::string DayString::NotScheduledPattern(const std::string& column) const { return Pattern(column, 'N'); }

DayString DayString::SingleDay(int dayIndex)
{
    DayString d;
    d.SetDay(dayIndex, true);
    return d;
}

} // namespace zev
