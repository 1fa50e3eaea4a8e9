#include "platform/calendar.h"

#include <cmath>
#include <cstdio>

namespace calendar {
namespace {

constexpr long long kSecondsPerDay = 86400;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days since 1 January 1970 of a proleptic Gregorian date and back
// (H. Hinnant's civil-days algorithm, which counts years from 1 March so
// that the leap day ends the year).
constexpr long long DaysFromCivil(long long year, long long month, long long day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

DateTime CivilFromDays(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;
  DateTime date;
  date.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  date.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2));
  return date;
}

constexpr long long kOleEpoch = DaysFromCivil(1899, 12, 30);
constexpr long long kFirstSerial = DaysFromCivil(1, 1, 1) - kOleEpoch;
constexpr long long kLastSerial = DaysFromCivil(9999, 12, 31) - kOleEpoch;

}  // namespace

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValid(const DateTime& t) {
  return t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
         t.second >= 0 && t.second <= 59;
}

double ToOleDate(const DateTime& t) {
  const long long serial = DaysFromCivil(t.year, t.month, t.day) - kOleEpoch;
  const double fraction = static_cast<double>(t.hour * 3600 + t.minute * 60 + t.second) / kSecondsPerDay;
  return serial < 0 ? static_cast<double>(serial) - fraction : static_cast<double>(serial) + fraction;
}

std::optional<DateTime> FromOleDate(double date) {
  // NaN fails both comparisons.
  if (!(date > static_cast<double>(kFirstSerial - 1) && date < static_cast<double>(kLastSerial + 1))) {
    return std::nullopt;
  }
  const double whole = std::trunc(date);
  long long serial = static_cast<long long>(whole);
  // A stored time may fall a hair short of its second (14:05:09 kept as
  // 14:05:08.99999); rounding puts it back. The fraction is taken apart
  // from the days so that its precision is not spent on them.
  long long seconds = std::llround(std::fabs(date - whole) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    if (serial < kLastSerial) {
      ++serial;  // before the epoch too: the next day is one day less far back
      seconds = 0;
    } else {
      seconds = kSecondsPerDay - 1;  // there is no day after the last one
    }
  }
  DateTime t = CivilFromDays(serial + kOleEpoch);
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

std::optional<DateTime> Parse(std::string_view text) {
  constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
  if (text.size() != kShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t length) {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  const DateTime t{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
  if (!IsValid(t)) return std::nullopt;
  return t;
}

std::string Format(const DateTime& t) {
  char text[80];  // room for six ints of any value
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

std::string WithMilliseconds(const DateTime& t, int millisecond) {
  char fraction[8];
  std::snprintf(fraction, sizeof fraction, ".%03d", millisecond % 1000);
  return Format(t) + fraction;
}

}  // namespace calendar
