// "текст"_ansi: a UTF-8 literal of the sources as Windows-1251 bytes,
// converted at compile time (std::string_view into static storage).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/cp1251.h"

namespace ansi_detail {

template <std::size_t N>
struct Utf8Literal {
  char bytes[N];
  consteval Utf8Literal(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
};

// Decodes UTF-8 and encodes Windows-1251; a character without a code
// fails the compilation (throw in a consteval context).
template <std::size_t N>
consteval std::size_t EncodedLength(const Utf8Literal<N>& text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i + 1 < N; ++count) {
    unsigned char lead = static_cast<unsigned char>(text.bytes[i]);
    i += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  }
  return count;
}

template <Utf8Literal Text>
struct Encoded {
  static constexpr std::size_t kLength = EncodedLength(Text);
  static constexpr std::array<char, kLength + 1> Make() {
    std::array<char, kLength + 1> out{};
    std::size_t o = 0;
    for (std::size_t i = 0; i + 1 < sizeof(Text.bytes);) {
      unsigned char lead = static_cast<unsigned char>(Text.bytes[i]);
      char32_t code;
      std::size_t extra;
      if (lead < 0x80) {
        code = lead;
        extra = 0;
      } else if (lead < 0xE0) {
        code = lead & 0x1F;
        extra = 1;
      } else if (lead < 0xF0) {
        code = lead & 0x0F;
        extra = 2;
      } else {
        code = lead & 0x07;
        extra = 3;
      }
      for (std::size_t k = 1; k <= extra; ++k) code = (code << 6) | (static_cast<unsigned char>(Text.bytes[i + k]) & 0x3F);
      i += extra + 1;
      int byte = cp1251::FromUnicode(code);
      if (byte < 0) throw "character without a Windows-1251 code";
      out[o++] = static_cast<char>(byte);
    }
    return out;
  }
  static constexpr std::array<char, kLength + 1> kBytes = Make();
};

}  // namespace ansi_detail

template <ansi_detail::Utf8Literal Text>
constexpr std::string_view operator""_ansi() {
  using E = ansi_detail::Encoded<Text>;
  return {E::kBytes.data(), E::kLength};
}
