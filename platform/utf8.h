// UTF-8, read and written in one place: the sources' literals at compile
// time (platform/ansi.h), the conversions to and from Windows-1251, xhw's
// scripts and the register simulator's texts at run time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct Utf8Char {
  char32_t code;       // the character, when `valid`
  std::size_t length;  // the bytes it takes, at least one
  bool valid;
};

// The character that `text` (not empty) starts with. A malformed sequence
// (a byte that starts none, a missing continuation byte, an overlong form,
// a surrogate, a code beyond U+10FFFF) is not valid; it takes its lead byte
// and the continuation bytes read with it.
constexpr Utf8Char FirstUtf8Char(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  char32_t code = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, smallest = 0x10000;
  } else {
    return {0, 1, false};
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    if ((next & 0xC0) != 0x80) return {0, i, false};
    code = (code << 6) | (next & 0x3F);
  }
  const bool valid = code >= smallest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
  return {code, length, valid};
}

constexpr bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const Utf8Char first = FirstUtf8Char(text);
    if (!first.valid) return false;
    text.remove_prefix(first.length);
  }
  return true;
}

inline void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}
