#pragma once

#include <string>

// Calendar and text helpers of the demo builders.
namespace zev::demo {

long DaysFromCivil(int y, int m, int d);
void CivilFromDays(long z, int& y, int& m, int& d);
std::string DateText(long days, int hour = 0, int minute = 0, int second = 0);
double Cents(double value); // rounded to whole cents
std::string Format(const char* format, long long value);
std::string Upc(long long base);

} // namespace zev::demo
