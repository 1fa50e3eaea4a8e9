// A source value converted to each type VariantChangeType makes, with the
// system's results: DISP_E_TYPEMISMATCH for a value that means nothing as
// the type, DISP_E_OVERFLOW for one beyond its range.
#pragma once

#include <cstdint>

#include "platform/com.h"
#include "platform/linux/variant_source.h"

namespace oleaut {

HRESULT ToReal(const SourceValue& s, double& out);
// A whole number of min to max; fractions round half-way to even.
HRESULT ToInteger(const SourceValue& s, int64_t min, int64_t max, int64_t& out);
HRESULT ToFlag(const SourceValue& s, bool& out);
HRESULT ToDate(const SourceValue& s, double& out);
HRESULT ToText(const SourceValue& s, OleString& out);

}  // namespace oleaut
