// Numbers as the texts variants convert from and to.
#pragma once

#include <cstdint>
#include <string>

#include "platform/com.h"

namespace oleaut {

// Blanks, sign, digits with '.' or ',' before the fraction, an exponent,
// blanks: the numbers a text converts from, in either decimal notation.
// DISP_E_TYPEMISMATCH for any other text, DISP_E_OVERFLOW for a number
// beyond a double; one too small for a double is 0.
HRESULT ParseNumber(OleStringView text, double& out);

// The shortest text with at most `digits` significant digits: plain
// notation for ordinary magnitudes, "1.5E+20" beyond them; always '.'.
// DISP_E_OVERFLOW for infinity and NaN.
HRESULT FormatReal(double value, int digits, std::string& out);

// Currency (in ten-thousandths) without trailing zeros: "12.5", "-3".
std::string FormatCurrency(int64_t tenThousandths);

}  // namespace oleaut
