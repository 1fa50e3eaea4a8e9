// The pieces the lines of the receipt file are made of: padded labels,
// amounts with two decimals, integers and the labels of the fiscal codes.
// Numbers are built in place, so the fields of a line cost no allocation.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int32_t kLabelWidth = 20;
inline constexpr int32_t kAmountWidth = 10;

// Appends the text followed by blanks up to `width`; a longer text stays
// whole.
void PadRight(std::string& out, std::string_view text, int32_t width);

// Rounds to two decimals, ties to even. A value whose hundredfold does not
// fit a signed 64-bit integer (or is not a number) gives 0; never throws.
long double RoundTo2(long double value);

// The text of a number, built from its last digit back in a buffer of its
// own. A temporary one lives to the end of the statement that made it, long
// enough to be appended.
class Field {
 public:
  operator std::string_view() const { return {text_.data() + start_, text_.size() - start_}; }

  void Prepend(char c) { text_[--start_] = c; }
  void PrependDigits(uint64_t value) {
    do {
      Prepend(static_cast<char>('0' + value % 10));
      value /= 10;
    } while (value != 0);
  }
  void Assign(std::string_view text) {
    start_ = text_.size() - text.size();
    text.copy(text_.data() + start_, text.size());
  }
  void PadTo(std::size_t width) {
    while (text_.size() - start_ < width) Prepend(' ');
  }

 private:
  // Room for the longest double written in full with two decimals.
  std::array<char, 400> text_;
  std::size_t start_ = text_.size();
};

Field IntegerField(int64_t value);
// Two decimals with a point whatever the locale, right-aligned in
// kAmountWidth characters, written in full when longer.
Field AmountField(long double value);
// What AmountField(RoundTo2(value)) shows, with one rounding instead of two.
Field RoundedAmountField(long double value);

// The labels of the codes of an item's attribute lines; none for a code
// outside its table.
std::optional<std::string_view> ItemTypeLabel(int32_t code);
std::optional<std::string_view> PaymentModeLabel(int32_t code);
std::optional<std::string_view> TaxTypeLabel(int32_t code);
// The taxation system's label; empty for -1 and unknown codes.
std::string_view TaxSystemLabel(int32_t code);
