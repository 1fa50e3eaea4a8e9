#include "platform/codepage.h"

#include "platform/cp1251.h"
#include "platform/utf8.h"

namespace {

constexpr char kNoCode = '?';

// The Windows-1251 byte of a character; the Russian alphabet but Ё/ё sits
// in one block and skips the table search.
char AnsiOf(char32_t code) {
  if (code >= 0x0410 && code <= 0x044F) return static_cast<char>(code - 0x0410 + 0xC0);
  const int byte = cp1251::FromUnicode(code);
  return byte < 0 ? kNoCode : static_cast<char>(byte);
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string Utf16ToAnsi(OleStringView text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      out += static_cast<char>(unit);
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out += kNoCode;  // one character beyond the code page, in two units
      ++i;
    } else {
      out += AnsiOf(unit);  // a lone surrogate has no code either
    }
  }
  return out;
}

OleString AnsiToUtf16(std::string_view text) {
  OleString out(text.size(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) out[i] = cp1251::ToUnicode(static_cast<unsigned char>(text[i]));
  return out;
}

std::string AnsiToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char byte : text) AppendUtf8(out, cp1251::ToUnicode(static_cast<unsigned char>(byte)));
  return out;
}

std::string Utf8ToAnsi(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // A malformed sequence is one character without a code.
  for (std::string_view rest = text; !rest.empty();) {
    const Utf8Char first = FirstUtf8Char(rest);
    out += first.valid ? AnsiOf(first.code) : kNoCode;
    rest.remove_prefix(first.length);
  }
  return out;
}
