#include "simulator/utf8.h"

#include <optional>

#include "platform/codepage.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code) {
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

void AppendUtf16(OleString& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<OLECHAR>(code);
  } else {
    code -= 0x10000;
    out += static_cast<OLECHAR>(0xD800 + (code >> 10));
    out += static_cast<OLECHAR>(0xDC00 + (code & 0x3FF));
  }
}

// Length of the sequence that `lead` starts; 0 when it starts none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF5) return 4;
  return 0;
}

// One code point from the front of `text`, consumed; nullopt for a byte
// that does not start a well-formed sequence (then that byte is consumed).
std::optional<char32_t> NextUtf8(std::string_view& text) {
  unsigned char lead = static_cast<unsigned char>(text.front());
  std::size_t length = SequenceLength(lead);
  if (length == 0 || text.size() < length) {
    text.remove_prefix(1);
    return std::nullopt;
  }
  static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t code = lead & kLeadBits[length];
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) {
      text.remove_prefix(1);
      return std::nullopt;
    }
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms, surrogates and codes beyond Unicode are not characters.
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
    text.remove_prefix(1);
    return std::nullopt;
  }
  text.remove_prefix(length);
  return code;
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    if (!NextUtf8(text)) return false;
  }
  return true;
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
  while (!text.empty()) AppendUtf16(out, NextUtf8(text).value_or(kReplacement));
  return out;
}

std::string SettingsTextToUtf8(std::string_view bytes) {
  // Windows-1251 Cyrillic is almost never well-formed UTF-8, so a text that
  // is well-formed UTF-8 is taken as such.
  return IsUtf8(bytes) ? std::string(bytes) : AnsiToUtf8(bytes);
}
