#pragma once

#include <ctime>
#include <string>
#include <vector>

// Text helpers shared by every server exchange: trimming, the fixed
// replacement sets that make values safe for a form body, the table text
// format's value splitting, stamps and server error replies.
namespace zev::sync {

std::string TrimBlanks(const std::string& s); // both ends: blanks, tabs
std::string TrimRight(const std::string& s);
std::string ReplaceAll(std::string s, const std::string& from, const std::string& to);
bool ContainsText(const std::string& haystack, const std::string& needle);
bool EqualsNoCase(const std::string& a, const std::string& b);

// Replacement sets for form bodies (no general URL encoding is applied).
std::string EscapeSetA(const std::string& s); // & -> %26
std::string EscapeSetB(const std::string& s); // % -> %25, & -> %26, ^ -> %94; empty -> " "
std::string EscapeSetC(const std::string& s); // & -> ~|A, ^ -> ~|C, ' -> ''
std::string EscapeSetD(const std::string& s); // + -> %2B, blank -> %20
std::string EscapeSetE(const std::string& s); // & -> ~|A
// Order notes and ODC text: % -> %25, & -> %26, CR and LF removed.
std::string EscapeOrderNote(const std::string& s);
// Line comment of an order line: % -> %25, & -> %26, ^ -> %94 (not trimmed).
std::string EscapeLineComment(const std::string& s);

// Splits one line of the table text format. Empty values travel as one
// blank: every doubled separator after the first character becomes
// separator + blank, and a trailing separator gets a blank appended. The
// line is trimmed first; the values are not.
std::vector<std::string> SplitTableValues(const std::string& line, char sep);
// The same into a vector kept by the caller, whose strings are reused (the
// download splits every row with it).
void SplitTableValuesInto(const std::string& line, char sep, std::vector<std::string>& out);

// Splits a comma-separated list of the schema file; entries are trimmed.
std::vector<std::string> SplitList(const std::string& list);

// "%.4d-%.2d-%.2d %.2d:%.2d:%.2d" in local time.
std::string FormatStamp(std::time_t t);
// "%.2d-%.2d-%.2d" (year, month, day) in local time.
std::string FormatDay(std::time_t t);

// The sign-in screen's date of the last complete update: month-day-year
// without leading zeros ("3-7-2006") from a stamp, or "Unknown".
std::string RenewLabel(const std::string& stamp);

// The message text of a server error reply, or empty when the reply does not
// carry one (the caller then shows the unspecified-error text).
std::string ServerErrorText(const std::string& reply);

// Progress step of a table application: N/10, at least 10.
int ProgressStep(int rows);
// Percentage of a progress step: done/total*100, truncated; 0 unless both >= 1.
int ProgressPercent(int total, int done);
// A status text holding "%d" is formatted with (done, total).
std::string FormatProgressText(const std::string& text, int total, int done);

// printf into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Apostrophes doubled, for values put between single quotes.
std::string FixApost(const std::string& s);

// Integer value of a text as the server and the database give it ("12", "12.0", "").
int ToInt(const std::string& s);
double ToDouble(const std::string& s);

} // namespace zev::sync
