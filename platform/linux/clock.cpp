// Local time and the Russian forms of dates and numbers, without touching
// the process-wide locale (the host owns it).
#include "platform/clock.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <ctime>
#include <optional>

#include "platform/calendar.h"

namespace {

std::optional<calendar::DateTime> FixedClock() {
  const char* fixed = std::getenv("SORVIN_FIXED_CLOCK");
  return fixed ? calendar::Parse(fixed) : std::nullopt;
}

calendar::DateTime Local(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace

DATE LocalNow() {
  if (auto fixed = FixedClock()) return calendar::ToOleDate(*fixed);
  return calendar::ToOleDate(Local(std::time(nullptr)));
}

std::string LocalTimestamp() {
  if (auto fixed = FixedClock()) return calendar::WithMilliseconds(*fixed, 0);
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return calendar::WithMilliseconds(Local(now.tv_sec), static_cast<int>(now.tv_nsec / 1000000));
}

namespace {

// `value` as `count` digits with leading zeros.
void AppendDigits(std::string& text, int value, int count) {
  const std::size_t end = text.size() + static_cast<std::size_t>(count);
  text.resize(end);
  for (std::size_t at = end; at-- > end - static_cast<std::size_t>(count); value /= 10) {
    text[at] = static_cast<char>('0' + value % 10);
  }
}

}  // namespace

// Written digit by digit: the receipt close takes the clock every time, and
// formatting through snprintf cost more than laying out a receipt line.
std::string FormatDateTime(DATE value) {
  // Outside the years 1 to 9999 (and for NaN or infinity) there is no date to show.
  const auto t = calendar::FromOleDate(value);
  if (!t) return {};
  std::string text;
  text.reserve(20);
  AppendDigits(text, t->day, 2);
  text += '.';
  AppendDigits(text, t->month, 2);
  text += '.';
  AppendDigits(text, t->year, 4);
  if (t->hour != 0 || t->minute != 0 || t->second != 0) {
    text += ' ';
    AppendDigits(text, t->hour, t->hour < 10 ? 1 : 2);
    text += ':';
    AppendDigits(text, t->minute, 2);
    text += ':';
    AppendDigits(text, t->second, 2);
  }
  return text;
}

char LocaleDecimalSeparator() {
  locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (numeric == static_cast<locale_t>(0)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
  char separator = radix && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : '.';
  freelocale(numeric);
  return separator;
}
