#include "platform/codepage.h"

#include "platform/cp1251.h"

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

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Decodes the UTF-8 sequence at `pos` and moves past it. A malformed
// sequence (bad lead byte, missing continuation, overlong form, surrogate,
// beyond U+10FFFF) gives -1, once for its lead byte and the continuation
// bytes read with it.
long DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  std::size_t extra;
  char32_t code;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, code = lead & 0x07, minimum = 0x10000;
  } else {
    return -1;
  }
  for (std::size_t k = 0; k < extra; ++k) {
    if (pos == text.size() || !IsContinuation(static_cast<unsigned char>(text[pos]))) return -1;
    code = (code << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  return static_cast<long>(code);
}

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
  for (char byte : text) AppendUtf8(cp1251::ToUnicode(static_cast<unsigned char>(byte)), out);
  return out;
}

std::string Utf8ToAnsi(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const long code = DecodeUtf8(text, pos);
    out += code < 0 ? kNoCode : AnsiOf(static_cast<char32_t>(code));
  }
  return out;
}
