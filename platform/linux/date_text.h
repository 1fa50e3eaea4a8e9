// Dates as the texts variants convert from and to, and the range of dates
// a variant holds.
#pragma once

#include <string>

#include "platform/com.h"

namespace oleaut {

// Variant dates cover the years 100 to 9999, as the system's do.
inline constexpr double kFirstDate = -657434.0;  // 1 January 100
inline constexpr double kEndDate = 2958466.0;    // 1 January 10000

inline bool InDateRange(double date) { return date >= kFirstDate && date < kEndDate; }  // false for NaN

// "dd.mm.yyyy", "yyyy-mm-dd", either followed by "h:mm[:ss]", or the time
// alone; DISP_E_TYPEMISMATCH for any other text or an invalid date.
HRESULT ParseDate(OleStringView text, double& out);

// "dd.mm.yyyy h:mm:ss"; the date alone at midnight, the time alone on day 0.
// DISP_E_OVERFLOW outside the range of variant dates.
HRESULT FormatDate(double date, std::string& out);

}  // namespace oleaut
