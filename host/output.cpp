#include "host/output.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "platform/bstr.h"
#include "platform/codepage.h"

std::string FormatNumber(double number) {
  // Sums read best without an exponent: 1000000, not 1e+06.
  const double size = std::fabs(number);
  const auto form = size == 0 || (size >= 1e-6 && size < 1e15) ? std::chars_format::fixed : std::chars_format::general;
  char buffer[64];
  auto [end, status] = std::to_chars(buffer, buffer + sizeof buffer, number, form);
  return status == std::errc{} ? std::string(buffer, end) : std::string("?");
}

std::string EscapeText(std::string_view utf8, bool quoted) {
  std::string escaped = quoted ? "\"" : "";
  for (char c : utf8) {
    switch (c) {
      case '"':
        escaped += quoted ? "\\\"" : "\"";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
          escaped += hex;
        } else {
          escaped += c;
        }
    }
  }
  if (quoted) escaped += '"';
  return escaped;
}

std::string FormatDate(double date) {
  // 1 January 100 and 31 December 9999, the range of such dates.
  constexpr double kFirstDay = -657434;
  constexpr double kLastDay = 2958465;
  if (!(date > kFirstDay - 1 && date < kLastDay + 1)) return FormatNumber(date);

  // Before 1899 the whole part still counts days back from the start, and
  // the fraction is the time of day forward from midnight of that day.
  const double whole = std::trunc(date);
  long long days = static_cast<long long>(whole);
  long long seconds = std::llround(std::fabs(date - whole) * 86400);
  if (seconds == 86400) {
    seconds = 0;
    ++days;
  }
  using namespace std::chrono;
  const year_month_day day{sys_days{year{1899} / December / 30} + std::chrono::days{days}};
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02lld:%02lld:%02lld", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()), seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

std::string FormatValue(const ScriptValue& value) {
  struct Formatter {
    std::string operator()(int32_t integer) const { return std::to_string(integer); }
    std::string operator()(double number) const { return FormatNumber(number); }
    std::string operator()(bool flag) const { return flag ? "true" : "false"; }
    std::string operator()(const std::string& text) const { return EscapeText(text, true); }
  };
  return std::visit(Formatter{}, value);
}

std::string FormatVariant(const VARIANT& value) {
  switch (value.vt) {
    case VT_EMPTY:
      return "empty";
    case VT_NULL:
      return "null";
    case VT_BOOL:
      return value.boolVal ? "true" : "false";
    case VT_I4:
      return std::to_string(value.lVal);
    case VT_R8:
      return FormatNumber(value.dblVal);
    case VT_DATE:
      return FormatDate(value.date);
    case VT_BSTR:
      return EscapeText(AnsiToUtf8(BstrToAnsi(value.bstrVal)), true);
    default:
      return "(variant of type " + std::to_string(value.vt) + ")";
  }
}

std::string FormatFailure(HRESULT status, std::string_view message) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
  return "failed " + std::string(code) + " (" + EscapeText(message, false) + ")";
}

std::string FormatCall(const ScriptCall& call) {
  std::string text(call.operation->name);
  for (const ScriptValue& argument : call.arguments) text += " " + FormatValue(argument);
  return text;
}
