// Reading the texts that variants convert from: a cursor over UTF-16 text
// and the plain comparisons of words. Only ASCII digits, letters and blanks
// mean anything in them.
#pragma once

#include <string>
#include <string_view>

#include "platform/com.h"

namespace oleaut {

class Cursor {
 public:
  explicit Cursor(OleStringView text) : text_(text) {}
  bool AtEnd() const { return pos_ == text_.size(); }
  char16_t Peek() const { return AtEnd() ? u'\0' : text_[pos_]; }
  bool PeekDigit() const { return Peek() >= u'0' && Peek() <= u'9'; }
  bool Take(char16_t c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  // Skips blanks; true when there was at least one.
  bool Blanks() {
    const std::size_t start = pos_;
    while (Peek() == u' ' || Peek() == u'\t') ++pos_;
    return pos_ != start;
  }
  // Appends a run of digits to `out`; the number of digits taken.
  std::size_t Digits(std::string& out) {
    const std::size_t start = pos_;
    for (; PeekDigit(); ++pos_) out += static_cast<char>(text_[pos_]);
    return pos_ - start;
  }
  // A number of 1 to `maxDigits` digits.
  bool Number(std::size_t maxDigits, int& value) {
    std::size_t count = 0;
    for (value = 0; count < maxDigits && PeekDigit(); ++count) value = value * 10 + (text_[pos_++] - u'0');
    return count > 0;
  }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  OleStringView text_;
  std::size_t pos_ = 0;
};

// `word` is lower-case ASCII.
inline bool EqualsIgnoringCase(OleStringView text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != static_cast<char16_t>(word[i])) return false;
  }
  return true;
}

inline OleStringView Trimmed(OleStringView text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace oleaut
