#include "platform/linux/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "platform/linux/text_scan.h"

namespace oleaut {
namespace {

// A number's text taken apart: the digits with '.' for the point, how many
// come before the point, and the exponent's digits with its sign.
struct NumberText {
  bool negative = false;
  std::string mantissa;
  std::size_t point = 0;
  std::string exponent;  // empty without one
};

bool ScanExponent(Cursor& c, std::string& exponent) {
  if (c.Take(u'-')) {
    exponent = "-";
  } else {
    c.Take(u'+');
  }
  return c.Digits(exponent) > 0;
}

HRESULT ScanNumber(OleStringView text, NumberText& n) {
  Cursor c(text);
  c.Blanks();
  n.negative = c.Take(u'-');
  if (!n.negative) c.Take(u'+');
  std::size_t digits = c.Digits(n.mantissa);
  n.point = n.mantissa.size();
  if (c.Take(u'.') || c.Take(u',')) {
    n.mantissa += '.';
    digits += c.Digits(n.mantissa);
  }
  if (digits == 0) return DISP_E_TYPEMISMATCH;
  if ((c.Take(u'e') || c.Take(u'E')) && !ScanExponent(c, n.exponent)) return DISP_E_TYPEMISMATCH;
  c.Blanks();
  return c.AtEnd() ? S_OK : DISP_E_TYPEMISMATCH;
}

// For a number too large or too small to represent: the place of its first
// significant digit, moved by the exponent, is above 0 only for a large one.
long long DecimalMagnitude(const NumberText& n) {
  const std::size_t first = n.mantissa.find_first_not_of("0.");
  const long long place =
      first < n.point ? static_cast<long long>(n.point - first) : -static_cast<long long>(first - n.point - 1);
  long long shift = 0;
  const std::string& e = n.exponent;
  if (!e.empty() && std::from_chars(e.data(), e.data() + e.size(), shift).ec != std::errc()) {
    shift = e[0] == '-' ? -1'000'000'000 : 1'000'000'000;  // far beyond any double either way
  }
  return place + shift;
}

HRESULT ValueOf(const NumberText& n, double& out) {
  const std::string number = n.exponent.empty() ? n.mantissa : n.mantissa + 'e' + n.exponent;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (DecimalMagnitude(n) > 0) return DISP_E_OVERFLOW;
    value = 0;  // too small: only a large one is an error
  } else if (error != std::errc() || end != number.data() + number.size()) {
    return DISP_E_TYPEMISMATCH;
  }
  out = n.negative ? -value : value;
  return S_OK;
}

// A finite value other than 0 as its significant digits, without trailing
// zeros, and the decimal exponent of the first of them.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double value, int digits) {
  char buffer[40];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1).ptr;
  std::string_view text(buffer, end - buffer);  // [-]d.ddde±xx
  Decimal d;
  d.negative = text.front() == '-';
  if (d.negative) text.remove_prefix(1);
  const std::size_t e = text.find('e');
  d.digits.assign(1, text[0]);
  if (e > 1) d.digits += text.substr(2, e - 2);
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  std::from_chars(text.data() + e + 2, end, d.exponent);
  if (text[e + 1] == '-') d.exponent = -d.exponent;
  return d;
}

std::string Scientific(const Decimal& d) {
  std::string out(1, d.digits[0]);
  if (d.digits.size() > 1) out += '.' + d.digits.substr(1);
  out += d.exponent < 0 ? "E-" : "E+";
  const int magnitude = std::abs(d.exponent);
  if (magnitude < 10) out += '0';
  return out + std::to_string(magnitude);
}

std::string Plain(const Decimal& d) {
  const int length = static_cast<int>(d.digits.size());
  if (d.exponent < 0) return "0." + std::string(-d.exponent - 1, '0') + d.digits;
  if (length <= d.exponent + 1) return d.digits + std::string(d.exponent + 1 - length, '0');
  return d.digits.substr(0, d.exponent + 1) + '.' + d.digits.substr(d.exponent + 1);
}

}  // namespace

HRESULT ParseNumber(OleStringView text, double& out) {
  NumberText n;
  if (HRESULT hr = ScanNumber(text, n); FAILED(hr)) return hr;
  return ValueOf(n, out);
}

HRESULT FormatReal(double value, int digits, std::string& out) {
  if (!std::isfinite(value)) return DISP_E_OVERFLOW;
  if (value == 0) {
    out = "0";  // also for -0
    return S_OK;
  }
  const Decimal d = ToDecimal(value, digits);
  const bool scientific = d.exponent >= digits || d.exponent < -5;
  out = (d.negative ? "-" : "") + (scientific ? Scientific(d) : Plain(d));
  return S_OK;
}

std::string FormatCurrency(int64_t tenThousandths) {
  const bool negative = tenThousandths < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(tenThousandths) : tenThousandths;
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(magnitude % 10000 + 10000).substr(1);
  fraction.erase(fraction.find_last_not_of('0') + 1);
  if (!fraction.empty()) text += '.' + fraction;
  return text;
}

}  // namespace oleaut
