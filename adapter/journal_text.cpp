#include "adapter/journal_text.h"

#include <charconv>
#include <cstdio>

#include "platform/calendar.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/quoted_text.h"
#include "platform/variant.h"

std::string JournalValue(const VARIANT& value) {
  switch (value.vt) {
    case VT_EMPTY:
      return "empty";
    case VT_BOOL:
      return value.boolVal != VARIANT_FALSE ? "true" : "false";
    case VT_BSTR:
      return JournalValue(VariantToAnsi(value));
    case VT_R4:
    case VT_R8:
    case VT_DATE:
      return JournalValue(VariantToDouble(value));
    default:
      break;
  }
  Variant number;
  if (SUCCEEDED(VariantChangeType(number.Get(), &value, 0, VT_I4)))
    return JournalValue(static_cast<int32_t>(number.Ref().lVal));
  return "<VARTYPE " + std::to_string(value.vt) + ">";
}

std::string JournalValue(int32_t value) { return std::to_string(value); }

std::string JournalValue(double value) {
  char text[32];
  auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : "?";
}

std::string JournalValue(const std::string& text) { return QuotedText(text); }
std::string JournalValue(const OleString& text) { return QuotedText(Utf16ToAnsi(text)); }

std::string DateText(DATE value) {
  const auto date = calendar::FromOleDate(value);
  return date ? calendar::Format(*date) : JournalValue(value);
}

std::string Masked(std::string_view text) {
  constexpr std::size_t kShown = 2;
  std::string masked(text.size(), '*');
  if (text.size() > 2 * kShown) {
    masked.replace(0, kShown, text.substr(0, kShown));
    masked.replace(text.size() - kShown, kShown, text.substr(text.size() - kShown));
  }
  return masked;
}

std::string RaisedText(std::exception_ptr raised) {
  try {
    std::rethrow_exception(raised);
  } catch (const ComError& e) {
    char status[16];
    std::snprintf(status, sizeof status, "0x%08X", static_cast<unsigned>(e.Status()));
    return std::string("raise ") + status + " " + QuotedText(e.what());
  } catch (const std::exception& e) {
    return "raise " + QuotedText(e.what());
  } catch (...) {
    return "raise";
  }
}

std::string DurationText(double milliseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f ms", milliseconds);
  return text;
}
