#include "platform/linux/variant_conversions.h"

#include <cmath>
#include <string>

#include "platform/linux/date_text.h"
#include "platform/linux/number_text.h"
#include "platform/linux/text_scan.h"

namespace oleaut {
namespace {

using Kind = SourceValue::Kind;

// Half-way values go to the even neighbour, as the system rounds.
double RoundHalfEven(double value) {
  double result = std::floor(value);
  const double fraction = value - result;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(result, 2.0) != 0)) result += 1;
  return result;
}

// Currency to whole units, half-way to even, in exact integer arithmetic.
int64_t RoundCurrency(int64_t tenThousandths) {
  int64_t units = tenThousandths / 10000;
  const int64_t rest = tenThousandths % 10000;
  const bool odd = units % 2 != 0;
  if (rest > 5000 || (rest == 5000 && odd)) ++units;
  if (rest < -5000 || (rest == -5000 && odd)) --units;
  return units;
}

HRESULT RoundedReal(const SourceValue& s, int64_t min, int64_t max, int64_t& out) {
  double real = 0;
  if (HRESULT hr = ToReal(s, real); FAILED(hr)) return hr;
  real = RoundHalfEven(real);
  // NaN fails both comparisons.
  if (!(real >= static_cast<double>(min) && real <= static_cast<double>(max))) return DISP_E_OVERFLOW;
  out = static_cast<int64_t>(real);
  return S_OK;
}

// The text of any value but a text, in ASCII.
HRESULT AsciiText(const SourceValue& s, std::string& out) {
  switch (s.kind) {
    case Kind::kEmpty:
    case Kind::kText:
      return S_OK;
    case Kind::kSigned:
      out = std::to_string(s.whole);
      return S_OK;
    case Kind::kUnsigned:
      out = std::to_string(s.natural);
      return S_OK;
    case Kind::kReal:
      return FormatReal(s.real, s.digits, out);
    case Kind::kDate:
      return FormatDate(s.real, out);
    case Kind::kCurrency:
      out = FormatCurrency(s.whole);
      return S_OK;
    case Kind::kFlag:
      out = s.flag ? "True" : "False";
      return S_OK;
  }
  return S_OK;
}

}  // namespace

HRESULT ToReal(const SourceValue& s, double& out) {
  switch (s.kind) {
    case Kind::kEmpty:
      out = 0;
      break;
    case Kind::kSigned:
      out = static_cast<double>(s.whole);
      break;
    case Kind::kUnsigned:
      out = static_cast<double>(s.natural);
      break;
    case Kind::kReal:
    case Kind::kDate:
      out = s.real;
      break;
    case Kind::kCurrency:
      out = static_cast<double>(s.whole) / 10000.0;
      break;
    case Kind::kFlag:
      out = s.flag ? -1.0 : 0.0;
      break;
    case Kind::kText:
      return ParseNumber(s.text, out);
  }
  return S_OK;
}

HRESULT ToInteger(const SourceValue& s, int64_t min, int64_t max, int64_t& out) {
  int64_t value = 0;
  if (s.kind == Kind::kSigned) {
    value = s.whole;
  } else if (s.kind == Kind::kUnsigned) {
    if (s.natural > static_cast<uint64_t>(max)) return DISP_E_OVERFLOW;
    value = static_cast<int64_t>(s.natural);
  } else if (s.kind == Kind::kCurrency) {
    value = RoundCurrency(s.whole);
  } else if (HRESULT hr = RoundedReal(s, min, max, value); FAILED(hr)) {
    return hr;
  }
  if (value < min || value > max) return DISP_E_OVERFLOW;
  out = value;
  return S_OK;
}

HRESULT ToFlag(const SourceValue& s, bool& out) {
  if (s.kind == Kind::kFlag) {
    out = s.flag;
    return S_OK;
  }
  if (s.kind == Kind::kText) {
    const OleStringView word = Trimmed(s.text);
    if (EqualsIgnoringCase(word, "true") || EqualsIgnoringCase(word, "false")) {
      out = word.size() == 4;
      return S_OK;
    }
  }
  if (s.kind == Kind::kSigned || s.kind == Kind::kCurrency) {
    out = s.whole != 0;
    return S_OK;
  }
  double real = 0;
  if (HRESULT hr = ToReal(s, real); FAILED(hr)) return hr;
  out = real != 0;
  return S_OK;
}

HRESULT ToDate(const SourceValue& s, double& out) {
  if (s.kind == Kind::kText) return ParseDate(s.text, out);
  double real = 0;
  if (HRESULT hr = ToReal(s, real); FAILED(hr)) return hr;
  if (!InDateRange(real)) return DISP_E_OVERFLOW;
  out = real;
  return S_OK;
}

HRESULT ToText(const SourceValue& s, OleString& out) {
  if (s.kind == Kind::kText) {
    out = s.text;
    return S_OK;
  }
  std::string ascii;
  if (HRESULT hr = AsciiText(s, ascii); FAILED(hr)) return hr;
  out.assign(ascii.begin(), ascii.end());
  return S_OK;
}

}  // namespace oleaut
