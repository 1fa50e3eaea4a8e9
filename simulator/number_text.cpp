#include "simulator/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string ShortestNumber(double number) {
  char text[32];
  auto [end, error] = std::to_chars(text, text + sizeof text, number);
  return error == std::errc() ? std::string(text, end) : "?";
}

std::string Money(double sum) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", ToKopecks(sum));
  return text;
}

double ToKopecks(double sum) {
  double kopecks = std::round(sum * 100) / 100;
  return kopecks == 0 ? 0 : kopecks;  // never "-0.00"
}
