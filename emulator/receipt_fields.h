// The pieces the lines of the receipt file are made of: padded labels,
// amounts with two decimals, integers and the labels of the fiscal codes.
// Numbers are built in place, so the fields of a line cost no allocation.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "module/money.h"

inline constexpr int32_t kLabelWidth = 20;
inline constexpr int32_t kAmountWidth = 10;

// Appends the text followed by blanks up to `width`; a longer text stays
// whole.
inline void PadRight(std::string& out, std::string_view text, int32_t width) {
  out += text;
  if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
    out.append(static_cast<std::size_t>(width) - text.size(), ' ');
  }
}

// Rounds to two decimals, ties to even. A value whose hundredfold does not
// fit a signed 64-bit integer (or is not a number) gives 0; never throws.
inline long double RoundTo2(long double value) {
  const std::optional<int64_t> hundredths = Kopecks(value);
  return hundredths ? static_cast<long double>(*hundredths) / 100.0L : 0.0L;
}

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

// The fields below are made for every line of every receipt, so they are
// defined here, where the layout can have them inline.

inline Field IntegerField(int64_t value) {
  Field field;
  field.PrependDigits(value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
  if (value < 0) field.Prepend('-');
  return field;
}

// Two decimals built from the integer of hundredths, so no locale can change
// the point; right-aligned in kAmountWidth characters.
inline Field HundredthsField(int64_t hundredths) {
  Field field;
  const uint64_t magnitude = hundredths < 0 ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
  field.Prepend(static_cast<char>('0' + magnitude % 10));
  field.Prepend(static_cast<char>('0' + magnitude / 10 % 10));
  field.Prepend('.');
  field.PrependDigits(magnitude / 100);
  if (hundredths < 0) field.Prepend('-');
  field.PadTo(kAmountWidth);
  return field;
}

// A value beyond the 64-bit range of hundredths, written in full.
Field HugeAmountField(long double value);

// Two decimals with a point whatever the locale, right-aligned in
// kAmountWidth characters, written in full when longer.
inline Field AmountField(long double value) {
  const std::optional<int64_t> hundredths = Kopecks(value);
  return hundredths ? HundredthsField(*hundredths) : HugeAmountField(value);
}

// What AmountField(RoundTo2(value)) shows, with one rounding instead of two
// (a sum beyond the range shows as 0.00, as RoundTo2 makes it).
inline Field RoundedAmountField(long double value) { return HundredthsField(Kopecks(value).value_or(0)); }

// The labels of the codes of an item's attribute lines; none for a code
// outside its table.
std::optional<std::string_view> ItemTypeLabel(int32_t code);
std::optional<std::string_view> PaymentModeLabel(int32_t code);
std::optional<std::string_view> TaxTypeLabel(int32_t code);
// The taxation system's label; empty for -1 and unknown codes.
std::string_view TaxSystemLabel(int32_t code);
