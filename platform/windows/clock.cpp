// Local time and the user's locale from the system; the date arithmetic is
// the calendar's, so an OLE date is the same number on every platform. The
// locale's texts are asked for in UTF-16 and converted, so they come out
// as Windows-1251 whatever the ANSI code page.
#include "platform/clock.h"

#include <iterator>

#include "platform/calendar.h"
#include "platform/codepage.h"

namespace {

// SORVIN_FIXED_CLOCK, "YYYY-MM-DD HH:MM:SS", pins the clock for tests and
// demonstrations, as on every platform.
std::optional<calendar::DateTime> FixedClock() {
  char text[32];
  DWORD length = GetEnvironmentVariableA("SORVIN_FIXED_CLOCK", text, sizeof text);
  if (length == 0 || length >= sizeof text) return std::nullopt;
  return calendar::Parse(std::string_view(text, length));
}

// One of the locale's forms; empty when the system cannot write the date
// (it does not take every year the calendar does).
std::string LocaleText(int(WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int), DWORD flags,
                       const SYSTEMTIME& time) {
  wchar_t text[128];
  int length = format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text, static_cast<int>(std::size(text)));
  return length > 1 ? Utf16ToAnsi(OleStringView(text, static_cast<std::size_t>(length - 1))) : std::string();
}

calendar::DateTime ToDateTime(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

DATE LocalNow() {
  if (auto fixed = FixedClock()) return calendar::ToOleDate(*fixed);
  SYSTEMTIME now;
  GetLocalTime(&now);
  return calendar::ToOleDate(ToDateTime(now));
}

std::string LocalTimestamp() {
  if (auto fixed = FixedClock()) return calendar::WithMilliseconds(*fixed, 0);
  SYSTEMTIME now;
  GetLocalTime(&now);
  return calendar::WithMilliseconds(ToDateTime(now), now.wMilliseconds);
}

std::string FormatDateTime(DATE value) {
  // Outside the years 1 to 9999 (and for NaN or infinity) there is no date to show.
  const auto t = calendar::FromOleDate(value);
  if (!t) return {};
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(t->year);
  time.wMonth = static_cast<WORD>(t->month);
  time.wDay = static_cast<WORD>(t->day);
  time.wHour = static_cast<WORD>(t->hour);
  time.wMinute = static_cast<WORD>(t->minute);
  time.wSecond = static_cast<WORD>(t->second);
  std::string text = LocaleText(GetDateFormatW, DATE_SHORTDATE, time);
  if (!text.empty() && (t->hour != 0 || t->minute != 0 || t->second != 0)) {
    // Appended piece by piece: GCC 12 at -O3 takes `" " + text` for an
    // overlapping copy and warns (-Wrestrict) where there is none.
    text += ' ';
    text += LocaleText(GetTimeFormatW, 0, time);
  }
  return text;
}

char LocaleDecimalSeparator() {
  wchar_t separator[8];
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, static_cast<int>(std::size(separator)));
  // One plain character, or the point when the locale has anything else.
  return length == 2 && separator[0] < 0x80 ? static_cast<char>(separator[0]) : '.';
}
