// "текст"_ansi: a UTF-8 literal of the sources as Windows-1251 bytes,
// converted at compile time (std::string_view into static storage).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/cp1251.h"
#include "platform/utf8.h"

namespace ansi_detail {

template <std::size_t N>
struct Utf8Literal {
  char bytes[N];
  consteval Utf8Literal(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
  constexpr std::string_view Text() const { return {bytes, N - 1}; }
};

// Decodes UTF-8 and encodes Windows-1251; a literal that is not UTF-8, or a
// character without a code, fails the compilation (throw in a consteval
// context).
template <std::size_t N>
consteval std::size_t EncodedLength(const Utf8Literal<N>& literal) {
  std::size_t count = 0;
  for (std::string_view rest = literal.Text(); !rest.empty(); ++count) rest.remove_prefix(FirstUtf8Char(rest).length);
  return count;
}

template <Utf8Literal Literal>
struct Encoded {
  static constexpr std::size_t kLength = EncodedLength(Literal);
  static constexpr std::array<char, kLength + 1> Make() {
    std::array<char, kLength + 1> out{};
    std::size_t o = 0;
    for (std::string_view rest = Literal.Text(); !rest.empty();) {
      const Utf8Char first = FirstUtf8Char(rest);
      if (!first.valid) throw "a literal that is not UTF-8";
      const int byte = cp1251::FromUnicode(first.code);
      if (byte < 0) throw "character without a Windows-1251 code";
      out[o++] = static_cast<char>(byte);
      rest.remove_prefix(first.length);
    }
    return out;
  }
  static constexpr std::array<char, kLength + 1> kBytes = Make();
};

}  // namespace ansi_detail

template <ansi_detail::Utf8Literal Literal>
constexpr std::string_view operator""_ansi() {
  using E = ansi_detail::Encoded<Literal>;
  return {E::kBytes.data(), E::kLength};
}
