// The emulator's two counters as text in its settings file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "Lastnum": a decimal integer; anything else, or a number beyond 32 bits,
// reads as 0.
int32_t ParseReceiptNumber(std::string_view text);

// "Summa": a decimal number with ',' or '.' before the decimals, so a file
// written under another locale keeps its cash; anything else reads as 0.
double ParseCashSum(std::string_view text);

// Shortest general form with up to 15 significant digits, with the given
// decimal separator: 1520.5 -> "1520,5" for ','.
std::string FormatCashSum(double value, char decimalSeparator);
