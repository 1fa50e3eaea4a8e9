#include "simulator/clock_time.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The civil date `days` days after 1970-01-01 (H. Hinnant's algorithm).
void CivilFromDays(long long days, ClockTime& time) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  time.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  time.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  time.year = static_cast<int>(static_cast<long long>(yearOfEra) + era * 400 + (time.month <= 2));
}

constexpr long long kOleEpochFromUnixEpoch = -25569;  // 1899-12-30 counted from 1970-01-01
constexpr long long kSecondsPerDay = 86400;

bool ReadNumber(std::string_view text, std::size_t at, std::size_t length, int& out) {
  const char* first = text.data() + at;
  auto [end, error] = std::from_chars(first, first + length, out);
  return error == std::errc() && end == first + length;
}

}  // namespace

std::optional<ClockTime> ParseClockTime(std::string_view text) {
  constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
  if (text.size() != kShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
  }
  ClockTime t;
  ReadNumber(text, 0, 4, t.year);
  ReadNumber(text, 5, 2, t.month);
  ReadNumber(text, 8, 2, t.day);
  ReadNumber(text, 11, 2, t.hour);
  ReadNumber(text, 14, 2, t.minute);
  ReadNumber(text, 17, 2, t.second);
  bool valid = t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) &&
               t.hour <= 23 && t.minute <= 59 && t.second <= 59;
  return valid ? std::optional<ClockTime>(t) : std::nullopt;
}

std::string FormatClockTime(const ClockTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

ClockTime ClockTimeFromDate(DATE value) {
  long long seconds = std::llround(value * kSecondsPerDay);
  long long days = seconds / kSecondsPerDay;
  long long secondOfDay = seconds % kSecondsPerDay;
  ClockTime t;
  CivilFromDays(days + kOleEpochFromUnixEpoch, t);
  t.hour = static_cast<int>(secondOfDay / 3600);
  t.minute = static_cast<int>(secondOfDay / 60 % 60);
  t.second = static_cast<int>(secondOfDay % 60);
  return t;
}
