// Local time and the Russian forms of dates and numbers, without touching
// the process-wide locale (the host owns it).
#include "platform/clock.h"

#include <langinfo.h>
#include <locale.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>

#include "platform/ansi.h"
#include "platform/error.h"

namespace {

constexpr long long kSecondsPerDay = 86400;

struct DateTimeParts {
  int year, month, day, hour, minute, second;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValid(const DateTimeParts& p) {
  return p.year >= 1 && p.year <= 9999 && p.month >= 1 && p.month <= 12 && p.day >= 1 &&
         p.day <= DaysInMonth(p.year, p.month) && p.hour >= 0 && p.hour <= 23 && p.minute >= 0 && p.minute <= 59 &&
         p.second >= 0 && p.second <= 59;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's
// civil-days algorithm) and back.
constexpr long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

constexpr long long kOleEpoch = DaysFromCivil(1899, 12, 30);
constexpr long long kFirstDay = DaysFromCivil(1, 1, 1) - kOleEpoch;
constexpr long long kLastDay = DaysFromCivil(9999, 12, 31) - kOleEpoch;

// Before the epoch an OLE date counts whole days back while its fraction
// still runs forward in the day: -1.25 is 29 December 1899, 6:00.
DATE ToOleDate(const DateTimeParts& p) {
  long long days = DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) - kOleEpoch;
  double fraction = static_cast<double>(p.hour * 3600 + p.minute * 60 + p.second) / kSecondsPerDay;
  return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

// "YYYY-MM-DD HH:MM:SS", every field a fixed run of digits.
std::optional<DateTimeParts> ParseFixedClock(std::string_view text) {
  constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
  if (text.size() != kShape.size()) return std::nullopt;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    bool digit = text[i] >= '0' && text[i] <= '9';
    if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
  }
  auto number = [&](std::size_t at, std::size_t length) {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  DateTimeParts parts{number(0, 4), number(5, 2), number(8, 2), number(11, 2), number(14, 2), number(17, 2)};
  if (!IsValid(parts)) return std::nullopt;
  return parts;
}

}  // namespace

DATE LocalNow() {
  if (const char* fixed = std::getenv("SORVIN_FIXED_CLOCK")) {
    if (auto parts = ParseFixedClock(fixed)) return ToOleDate(*parts);
  }
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return ToOleDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec});
}

std::string FormatDateTime(DATE value) {
  // Outside the years 1 to 9999 (and for NaN or infinity) there is no date to show.
  if (!(value > static_cast<double>(kFirstDay - 1) && value < static_cast<double>(kLastDay + 1))) return {};
  double whole = std::trunc(value);
  long long days = static_cast<long long>(whole);
  // The stored fraction may fall a hair short of a whole second
  // (14:05:09 kept as 14:05:08.99999); rounding puts it back.
  long long seconds = std::llround(std::fabs(value - whole) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    ++days;
    seconds = 0;
  }
  int year, month, day;
  CivilFromDays(days + kOleEpoch, year, month, day);

  char text[48];
  int length = std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
  if (seconds != 0) {
    length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), " %lld:%02lld:%02lld",
                            seconds / 3600, seconds / 60 % 60, seconds % 60);
  }
  return std::string(text, static_cast<std::size_t>(length));
}

DATE EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  DateTimeParts parts{year, month, day, hour, minute, second};
  if (!IsValid(parts)) throw ComError(DISP_E_OVERFLOW, std::string("Недопустимая дата или время"_ansi));
  return ToOleDate(parts);
}

char LocaleDecimalSeparator() {
  locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (numeric == static_cast<locale_t>(0)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
  char separator = radix && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : '.';
  freelocale(numeric);
  return separator;
}
