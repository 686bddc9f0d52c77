#pragma once

#include <string>

namespace zev {

// Seven "Y"/"N" letters, Sunday first: the weekdays an account is visited
// (ApptDays) or takes delivery (DelivDays), or the distributor's delivery days.
// Older rows hold the digit form ("0010000"), which reads as the letter form.
class DayString {
public:
    enum class Default { None, All };

    static constexpr const char* kNone = "NNNNNNN";
    static constexpr const char* kAll = "YYYYYYY";

    DayString() : m_value(kNone) {}

    // Starts from the default; a non-empty text then replaces it: a text that
    // begins with "Y" or "N" as it stands, any other text as digits where "1"
    // sets a day (positions beyond the text keep the default letter).
    DayString(const std::string& text, Default dflt);

    DayString(const DayString&) = default;
    // An empty source gives the empty set; otherwise a trimmed copy.
    DayString& operator=(const DayString& other);

    // "Y" only where both have "Y", over the shorter of the two lengths.
    DayString Intersect(const DayString& other) const;

    bool IsNone() const;
    bool IsSet(int dayIndex) const;
    // dayIndex 0 (Sunday) ... 6 (Saturday); other indexes are ignored.
    void SetDay(int dayIndex, bool on);

    // " <column> LIKE 'Y______' " style clauses: the scheduled pattern has "Y"
    // where this value has "Y", the not-scheduled pattern "N" there, "_" elsewhere.
    std::string ScheduledPattern(const std::string& column) const;
    std::string NotScheduledPattern(const std::string& column) const;

    // The value with only one weekday set.
    static DayString SingleDay(int dayIndex);

    const std::string& Text() const { return m_value; }
    bool operator==(const DayString& other) const { return m_value == other.m_value; }

private:
    std::string Pattern(const std::string& column, char setLetter) const;

    std::string m_value;
};

} // namespace zev
