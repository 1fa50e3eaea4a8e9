#include "simulator/utf8.h"

#include "platform/codepage.h"
#include "platform/utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(OleString& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<OLECHAR>(code);
  } else {
    code -= 0x10000;
    out += static_cast<OLECHAR>(0xD800 + (code >> 10));
    out += static_cast<OLECHAR>(0xDC00 + (code & 0x3FF));
  }
}

}  // namespace

std::string Utf16ToUtf8(OleStringView text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
    }
  }
  return out;
}

OleString Utf8ToUtf16(std::string_view text) {
  OleString out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Char first = FirstUtf8Char(text);
    AppendUtf16(out, first.valid ? first.code : kReplacement);
    text.remove_prefix(first.length);
  }
  return out;
}

std::string SettingsTextToUtf8(std::string_view bytes) {
  // Windows-1251 Cyrillic is almost never well-formed UTF-8, so a text that
  // is well-formed UTF-8 is taken as such.
  return IsUtf8(bytes) ? std::string(bytes) : AnsiToUtf8(bytes);
}
