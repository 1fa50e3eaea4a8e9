// Names that match without regard to the case of their ASCII letters
// (settings keys, member and operation names, "nul"). Letters outside ASCII
// keep their case: the names the system compares so are all ASCII.
#pragma once

#include <algorithm>
#include <string_view>

template <class Char>
constexpr Char AsciiLower(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// `a` and `b` may be texts of different character types (UTF-16 and 8-bit).
template <class A, class B>
constexpr bool SameAsciiName(std::basic_string_view<A> a, std::basic_string_view<B> b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](A x, B y) {
           return AsciiLower(static_cast<char32_t>(x)) == AsciiLower(static_cast<char32_t>(y));
         });
}
