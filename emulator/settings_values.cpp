#include "emulator/settings_values.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// from_chars takes a minus but no plus.
std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

}  // namespace

int32_t ParseReceiptNumber(std::string_view text) {
  text = WithoutPlus(Trimmed(text));
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

double ParseCashSum(std::string_view text) {
  std::string number(WithoutPlus(Trimmed(text)));
  std::size_t comma = number.find(',');
  if (comma != std::string::npos) {
    // Both separators, or two commas, are no number we wrote.
    if (number.find_first_of(",.", comma + 1) != std::string::npos || number.find('.') != std::string::npos) return 0;
    number[comma] = '.';
  }
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  bool whole = error == std::errc() && end == number.data() + number.size();
  // "inf" and "nan" parse, but no drawer holds them.
  return whole && std::isfinite(value) ? value : 0;
}

std::string FormatCashSum(double value, char decimalSeparator) {
  std::array<char, 32> text{};
  auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 15);
  if (error != std::errc()) return "0";
  std::string result(text.data(), end);
  if (std::size_t point = result.find('.'); point != std::string::npos) result[point] = decimalSeparator;
  return result;
}
