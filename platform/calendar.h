// Dates and times of day in the proleptic Gregorian calendar, years 1 to
// 9999, to the whole second, and their two outside forms: OLE dates (days
// since 30 December 1899, the time of day as the fraction) and the
// "YYYY-MM-DD HH:MM:SS" text of settings files and the fixed clock.
// Plain arithmetic, the same on every platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace calendar {

struct DateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

// `month` is 1 to 12.
int DaysInMonth(int year, int month);

// A day of the years 1 to 9999 and a time of day without leap seconds.
bool IsValid(const DateTime& time);

// The OLE date of a valid date and time. Before the epoch whole days count
// back while the fraction still runs forward in the day: -1.25 is
// 29 December 1899, 6:00.
double ToOleDate(const DateTime& time);

// The nearest whole second; a time that rounds up to midnight is the next
// day, except on 31 December 9999, which keeps its last second. None for
// NaN, infinity and dates outside the years 1 to 9999.
std::optional<DateTime> FromOleDate(double date);

// "YYYY-MM-DD HH:MM:SS", every field a fixed run of digits; only a valid
// date and time is accepted.
std::optional<DateTime> Parse(std::string_view text);
std::string Format(const DateTime& time);
// "YYYY-MM-DD HH:MM:SS.mmm", for journals.
std::string WithMilliseconds(const DateTime& time, int millisecond);

}  // namespace calendar
