#include "emulator/settings_values.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/whole_number.h"

int32_t ParseReceiptNumber(std::string_view text) { return ParseWholeNumber(text).value_or(0); }

double ParseCashSum(std::string_view text) {
  std::string number(NumberText(text));
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
