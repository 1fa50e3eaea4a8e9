// The value a variant converts from, with its wrapping (type tag,
// reference) taken off.
#pragma once

#include <cstdint>

#include "platform/com.h"

namespace oleaut {

struct SourceValue {
  enum class Kind { kEmpty, kSigned, kUnsigned, kReal, kDate, kCurrency, kFlag, kText };
  Kind kind = Kind::kEmpty;
  int64_t whole = 0;     // kSigned, and kCurrency in ten-thousandths
  uint64_t natural = 0;  // kUnsigned
  double real = 0;       // kReal, kDate
  int digits = 15;       // significant digits a kReal value shows as text
  bool flag = false;
  OleStringView text = {};  // kText, still the variant's own
};

// DISP_E_TYPEMISMATCH for what holds no value to convert: null, errors,
// interfaces, arrays, null references.
HRESULT ReadSource(const VARIANT& variant, SourceValue& out);

}  // namespace oleaut
