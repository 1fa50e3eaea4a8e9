// The runtime's string and variant services where the system has none:
// BSTR blocks in the system's memory layout, and the variant conversions
// the modules and hosts use, with the system's results for them.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/calendar.h"
#include "platform/com.h"

namespace {

// A BSTR block is [uint32 byte length][UTF-16 units][16-bit zero] from one
// malloc, and the BSTR points past the length: whoever frees it, host or
// module, frees it with free() at BSTR - 4.
constexpr std::size_t kLengthPrefix = sizeof(uint32_t);

uint32_t ByteLength(BSTR text) {
  uint32_t bytes;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text) - kLengthPrefix, sizeof bytes);
  return bytes;
}

OleStringView View(BSTR text) { return text ? OleStringView(text, SysStringLen(text)) : OleStringView(); }

// What a variant owns, and so what clearing and copying it involve.
enum class Ownership { kNothing, kString, kInterface, kUnknownType };

Ownership OwnershipOf(VARTYPE type) {
  if (type & VT_BYREF) return Ownership::kNothing;  // the referenced value stays the caller's
  switch (type) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_INT:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BOOL:
    case VT_ERROR:
    case VT_DECIMAL:
      return Ownership::kNothing;
    case VT_BSTR:
      return Ownership::kString;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return Ownership::kInterface;
    default:
      return Ownership::kUnknownType;
  }
}

// ---- Reading the value out of a source variant -------------------------

// A source value with the variant's wrapping (type tag, reference) removed.
struct Source {
  enum class Kind { kEmpty, kSigned, kUnsigned, kReal, kDate, kCurrency, kFlag, kText };
  Kind kind = Kind::kEmpty;
  int64_t whole = 0;     // kSigned, and kCurrency in ten-thousandths
  uint64_t natural = 0;  // kUnsigned
  double real = 0;       // kReal, kDate
  int digits = 15;       // significant digits a kReal value shows as text
  bool flag = false;
  OleStringView text;
};

template <class T>
T Load(const void* data) {
  T value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

HRESULT Read(const VARIANT& variant, Source& out) {
  using Kind = Source::Kind;
  const VARIANT* v = &variant;
  if (v->vt == (VT_VARIANT | VT_BYREF)) {
    v = v->pvarVal;
    if (!v || v->vt == (VT_VARIANT | VT_BYREF)) return DISP_E_TYPEMISMATCH;
  }
  if (v->vt == VT_EMPTY) {
    out.kind = Kind::kEmpty;
    return S_OK;
  }
  // Every union member starts at the same address, so one pointer serves
  // for a value held in place and for one held by reference.
  const bool byReference = (v->vt & VT_BYREF) != 0;
  const void* data = byReference ? v->byref : static_cast<const void*>(&v->llVal);
  if (!data) return DISP_E_TYPEMISMATCH;
  switch (static_cast<VARTYPE>(v->vt & ~VT_BYREF)) {
    case VT_I1:
      out.kind = Kind::kSigned;
      out.whole = Load<int8_t>(data);
      break;
    case VT_I2:
      out.kind = Kind::kSigned;
      out.whole = Load<SHORT>(data);
      break;
    case VT_I4:
    case VT_INT:
      out.kind = Kind::kSigned;
      out.whole = Load<LONG>(data);
      break;
    case VT_I8:
      out.kind = Kind::kSigned;
      out.whole = Load<LONGLONG>(data);
      break;
    case VT_UI1:
      out.kind = Kind::kUnsigned;
      out.natural = Load<BYTE>(data);
      break;
    case VT_UI2:
      out.kind = Kind::kUnsigned;
      out.natural = Load<USHORT>(data);
      break;
    case VT_UI4:
    case VT_UINT:
      out.kind = Kind::kUnsigned;
      out.natural = Load<ULONG>(data);
      break;
    case VT_UI8:
      out.kind = Kind::kUnsigned;
      out.natural = Load<ULONGLONG>(data);
      break;
    case VT_R4:
      out.kind = Kind::kReal;
      out.real = Load<FLOAT>(data);
      out.digits = 7;
      break;
    case VT_R8:
      out.kind = Kind::kReal;
      out.real = Load<DOUBLE>(data);
      break;
    case VT_DATE:
      out.kind = Kind::kDate;
      out.real = Load<DATE>(data);
      break;
    case VT_CY:
      out.kind = Kind::kCurrency;
      out.whole = Load<int64_t>(data);
      break;
    case VT_BOOL:
      out.kind = Kind::kFlag;
      out.flag = Load<VARIANT_BOOL>(data) != VARIANT_FALSE;
      break;
    case VT_BSTR:
      out.kind = Kind::kText;
      out.text = View(Load<BSTR>(data));
      break;
    default:  // null, error, interfaces, arrays: no value to convert
      return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

// ---- Text scanning -----------------------------------------------------

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

// Blanks, sign, digits with '.' or ',' before the fraction, an exponent,
// blanks: the numbers a text converts from, in either decimal notation.
HRESULT ParseNumber(OleStringView text, double& out) {
  Cursor c(text);
  c.Blanks();
  const bool negative = c.Take(u'-');
  if (!negative) c.Take(u'+');
  std::string mantissa;
  std::size_t digits = c.Digits(mantissa);
  const std::size_t point = mantissa.size();
  if (c.Take(u'.') || c.Take(u',')) {
    mantissa += '.';
    digits += c.Digits(mantissa);
  }
  if (digits == 0) return DISP_E_TYPEMISMATCH;
  std::string exponent;
  if (c.Take(u'e') || c.Take(u'E')) {
    if (c.Take(u'-')) {
      exponent = "-";
    } else {
      c.Take(u'+');
    }
    if (c.Digits(exponent) == 0) return DISP_E_TYPEMISMATCH;
  }
  c.Blanks();
  if (!c.AtEnd()) return DISP_E_TYPEMISMATCH;

  const std::string number = exponent.empty() ? mantissa : mantissa + 'e' + exponent;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small to represent; only a large one is an error.
    // The decimal magnitude tells them apart: the place of the first
    // significant digit, moved by the exponent.
    const std::size_t first = mantissa.find_first_not_of("0.");
    const long long place =
        first < point ? static_cast<long long>(point - first) : -static_cast<long long>(first - point - 1);
    long long shift = 0;
    if (!exponent.empty() &&
        std::from_chars(exponent.data(), exponent.data() + exponent.size(), shift).ec != std::errc()) {
      shift = exponent[0] == '-' ? -1'000'000'000 : 1'000'000'000;  // far beyond any double either way
    }
    if (place + shift > 0) return DISP_E_OVERFLOW;
    value = 0;
  } else if (error != std::errc() || end != number.data() + number.size()) {
    return DISP_E_TYPEMISMATCH;
  }
  out = negative ? -value : value;
  return S_OK;
}

bool EqualsIgnoringCase(OleStringView text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != static_cast<char16_t>(word[i])) return false;
  }
  return true;
}

OleStringView Trimmed(OleStringView text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// ---- Dates -------------------------------------------------------------

// Variant dates cover the years 100 to 9999, as the system's do.
constexpr double kFirstDate = -657434.0;  // 1 January 100
constexpr double kEndDate = 2958466.0;    // 1 January 10000

// "dd.mm.yyyy", "yyyy-mm-dd", either followed by "h:mm[:ss]", or the time alone.
HRESULT ParseDate(OleStringView text, double& out) {
  Cursor c(text);
  c.Blanks();
  calendar::DateTime t{1899, 12, 30, 0, 0, 0};  // the time alone is on day 0
  bool hasDate = false;
  const std::size_t start = c.Position();
  int first = 0;
  if (c.Number(4, first)) {
    if (c.Take(u'.')) {
      t.day = first;
      if (!c.Number(2, t.month) || !c.Take(u'.') || !c.Number(4, t.year)) return DISP_E_TYPEMISMATCH;
      hasDate = true;
    } else if (c.Take(u'-')) {
      t.year = first;
      if (!c.Number(2, t.month) || !c.Take(u'-') || !c.Number(2, t.day)) return DISP_E_TYPEMISMATCH;
      hasDate = true;
    } else {
      c.Rewind(start);  // the time alone
    }
  }
  const bool separated = c.Blanks();
  const bool hasTime = !c.AtEnd();
  if (hasTime) {
    if (hasDate && !separated) return DISP_E_TYPEMISMATCH;
    if (!c.Number(2, t.hour) || !c.Take(u':') || !c.Number(2, t.minute)) return DISP_E_TYPEMISMATCH;
    if (c.Take(u':') && !c.Number(2, t.second)) return DISP_E_TYPEMISMATCH;
    c.Blanks();
  }
  if (!c.AtEnd() || (!hasDate && !hasTime)) return DISP_E_TYPEMISMATCH;
  if (t.year < 100 || !calendar::IsValid(t)) return DISP_E_TYPEMISMATCH;
  out = calendar::ToOleDate(t);
  return S_OK;
}

// "dd.mm.yyyy h:mm:ss"; the date alone at midnight, the time alone on day 0.
HRESULT FormatDate(double date, std::string& out) {
  if (!(date >= kFirstDate && date < kEndDate)) return DISP_E_OVERFLOW;
  const calendar::DateTime t = *calendar::FromOleDate(date);  // the calendar holds every date of that range
  char text[40];
  if (t.year == 1899 && t.month == 12 && t.day == 30) {
    std::snprintf(text, sizeof text, "%d:%02d:%02d", t.hour, t.minute, t.second);
  } else if (t.hour == 0 && t.minute == 0 && t.second == 0) {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
  } else {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, t.second);
  }
  out = text;
  return S_OK;
}

// ---- Numbers as text ---------------------------------------------------

// The shortest text with at most `digits` significant digits: plain
// notation for ordinary magnitudes, "1.5E+20" beyond them; always '.'.
HRESULT FormatReal(double value, int digits, std::string& out) {
  if (!std::isfinite(value)) return DISP_E_OVERFLOW;
  if (value == 0) {
    out = "0";  // also for -0
    return S_OK;
  }
  char buffer[40];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1).ptr;
  std::string_view text(buffer, end - buffer);  // [-]d.ddde±xx
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t e = text.find('e');
  std::string mantissa(1, text[0]);
  if (e > 1) mantissa += text.substr(2, e - 2);
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  int exponent = 0;
  std::from_chars(text.data() + e + 2, end, exponent);
  if (text[e + 1] == '-') exponent = -exponent;

  out = negative ? "-" : "";
  const int length = static_cast<int>(mantissa.size());
  if (exponent >= digits || exponent < -5) {
    out += mantissa[0];
    if (length > 1) out += '.' + mantissa.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  } else if (exponent < 0) {
    out += "0." + std::string(-exponent - 1, '0') + mantissa;
  } else if (length <= exponent + 1) {
    out += mantissa + std::string(exponent + 1 - length, '0');
  } else {
    out += mantissa.substr(0, exponent + 1) + '.' + mantissa.substr(exponent + 1);
  }
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

// ---- Conversions to each target type -----------------------------------

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

HRESULT ToReal(const Source& s, double& out) {
  using Kind = Source::Kind;
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

HRESULT ToInteger(const Source& s, int64_t min, int64_t max, int64_t& out) {
  using Kind = Source::Kind;
  int64_t value = 0;
  switch (s.kind) {
    case Kind::kSigned:
      value = s.whole;
      break;
    case Kind::kUnsigned:
      if (s.natural > static_cast<uint64_t>(max)) return DISP_E_OVERFLOW;
      value = static_cast<int64_t>(s.natural);
      break;
    case Kind::kCurrency:
      value = RoundCurrency(s.whole);
      break;
    default: {
      double real = 0;
      if (HRESULT hr = ToReal(s, real); FAILED(hr)) return hr;
      real = RoundHalfEven(real);
      // NaN fails both comparisons.
      if (!(real >= static_cast<double>(min) && real <= static_cast<double>(max))) return DISP_E_OVERFLOW;
      value = static_cast<int64_t>(real);
    }
  }
  if (value < min || value > max) return DISP_E_OVERFLOW;
  out = value;
  return S_OK;
}

HRESULT ToFlag(const Source& s, bool& out) {
  if (s.kind == Source::Kind::kFlag) {
    out = s.flag;
    return S_OK;
  }
  if (s.kind == Source::Kind::kText) {
    const OleStringView word = Trimmed(s.text);
    if (EqualsIgnoringCase(word, "true") || EqualsIgnoringCase(word, "false")) {
      out = word.size() == 4;
      return S_OK;
    }
  }
  if (s.kind == Source::Kind::kSigned || s.kind == Source::Kind::kCurrency) {
    out = s.whole != 0;
    return S_OK;
  }
  double real = 0;
  if (HRESULT hr = ToReal(s, real); FAILED(hr)) return hr;
  out = real != 0;
  return S_OK;
}

HRESULT ToDate(const Source& s, double& out) {
  if (s.kind == Source::Kind::kText) return ParseDate(s.text, out);
  double real = 0;
  if (HRESULT hr = ToReal(s, real); FAILED(hr)) return hr;
  if (!(real >= kFirstDate && real < kEndDate)) return DISP_E_OVERFLOW;
  out = real;
  return S_OK;
}

HRESULT ToText(const Source& s, OleString& out) {
  using Kind = Source::Kind;
  std::string ascii;
  switch (s.kind) {
    case Kind::kText:
      out = s.text;
      return S_OK;
    case Kind::kEmpty:
      break;
    case Kind::kSigned:
      ascii = std::to_string(s.whole);
      break;
    case Kind::kUnsigned:
      ascii = std::to_string(s.natural);
      break;
    case Kind::kReal:
      if (HRESULT hr = FormatReal(s.real, s.digits, ascii); FAILED(hr)) return hr;
      break;
    case Kind::kDate:
      if (HRESULT hr = FormatDate(s.real, ascii); FAILED(hr)) return hr;
      break;
    case Kind::kCurrency:
      ascii = FormatCurrency(s.whole);
      break;
    case Kind::kFlag:
      ascii = s.flag ? "True" : "False";
      break;
  }
  out.assign(ascii.begin(), ascii.end());
  return S_OK;
}

// Builds the converted value in `result` (empty on entry).
HRESULT Convert(const VARIANT& source, VARTYPE type, VARIANT& result) {
  if (source.vt == type) return VariantCopy(&result, &source);
  if (type == VT_EMPTY) return S_OK;
  Source s;
  if (HRESULT hr = Read(source, s); FAILED(hr)) return hr;
  HRESULT hr = S_OK;
  switch (type) {
    case VT_I2:
    case VT_I4: {
      const bool i2 = type == VT_I2;
      int64_t value = 0;
      hr = ToInteger(s, i2 ? INT16_MIN : INT32_MIN, i2 ? INT16_MAX : INT32_MAX, value);
      if (i2) {
        result.iVal = static_cast<SHORT>(value);
      } else {
        result.lVal = static_cast<LONG>(value);
      }
      break;
    }
    case VT_R8:
      hr = ToReal(s, result.dblVal);
      break;
    case VT_DATE:
      hr = ToDate(s, result.date);
      break;
    case VT_BOOL: {
      bool flag = false;
      hr = ToFlag(s, flag);
      result.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    }
    case VT_BSTR: {
      OleString text;
      hr = ToText(s, text);
      if (FAILED(hr)) break;
      result.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      if (!result.bstrVal) hr = E_OUTOFMEMORY;
      break;
    }
    default:
      return DISP_E_BADVARTYPE;
  }
  if (SUCCEEDED(hr)) result.vt = type;
  return hr;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<OLECHAR>::length(text)));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (length > (UINT32_MAX - kLengthPrefix - sizeof(OLECHAR)) / sizeof(OLECHAR)) return nullptr;
  const auto bytes = static_cast<uint32_t>(length * sizeof(OLECHAR));
  auto* block = static_cast<char*>(std::malloc(kLengthPrefix + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  std::memcpy(block, &bytes, kLengthPrefix);
  auto* units = reinterpret_cast<OLECHAR*>(block + kLengthPrefix);
  if (text) {
    std::memcpy(units, text, bytes);
  } else {
    std::memset(units, 0, bytes);
  }
  units[length] = 0;
  return units;
}

void SysFreeString(BSTR text) {
  if (text) std::free(reinterpret_cast<char*>(text) - kLengthPrefix);
}

UINT SysStringLen(BSTR text) { return text ? ByteLength(text) / sizeof(OLECHAR) : 0; }

UINT SysStringByteLen(BSTR text) { return text ? ByteLength(text) : 0; }

void VariantInit(VARIANTARG* value) { std::memset(value, 0, sizeof *value); }

HRESULT VariantClear(VARIANTARG* value) {
  if (!value) return E_INVALIDARG;
  switch (OwnershipOf(value->vt)) {
    case Ownership::kUnknownType:
      return DISP_E_BADVARTYPE;
    case Ownership::kString:
      SysFreeString(value->bstrVal);
      break;
    case Ownership::kInterface:
      if (value->punkVal) value->punkVal->Release();
      break;
    case Ownership::kNothing:
      break;
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* destination, const VARIANTARG* source) {
  if (!destination || !source) return E_INVALIDARG;
  if (destination == source) return S_OK;
  VARIANT copy = *source;
  switch (OwnershipOf(source->vt)) {
    case Ownership::kUnknownType:
      return DISP_E_BADVARTYPE;
    case Ownership::kString:
      if (source->bstrVal) {
        copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
      }
      break;
    case Ownership::kInterface:
      if (copy.punkVal) copy.punkVal->AddRef();
      break;
    case Ownership::kNothing:
      break;
  }
  if (HRESULT hr = VariantClear(destination); FAILED(hr)) {
    VariantClear(&copy);
    return hr;
  }
  *destination = copy;
  return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* destination, const VARIANTARG* source, USHORT, VARTYPE type) {
  if (!destination || !source) return E_INVALIDARG;
  VARIANT result;
  VariantInit(&result);
  HRESULT hr;
  try {
    hr = Convert(*source, type, result);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  // The source is fully read by now, so clearing the destination is safe
  // even when it is the source itself.
  if (SUCCEEDED(hr)) hr = VariantClear(destination);
  if (FAILED(hr)) {
    VariantClear(&result);
    return hr;
  }
  *destination = result;
  return S_OK;
}
