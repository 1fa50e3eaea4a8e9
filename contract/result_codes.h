// Result codes that the operations give to the host (0 = success).
#pragma once

#include <cstdint>

namespace result {
inline constexpr int32_t kOk = 0;
inline constexpr int32_t kDriverError = 1;       // adapter: driver not ready or reported an error
inline constexpr int32_t kModeOrFileError = 3;   // adapter: mode refused; emulator: receipt file cannot be opened
inline constexpr int32_t kConnectFailed = 4;     // adapter: driver object cannot be created or set up
inline constexpr int32_t kNotSupported = 6;
inline constexpr int32_t kNoCash = 7;
inline constexpr int32_t kRefused = 8;           // emulator: refused, or its output failed
inline constexpr int32_t kShiftTooLong = 11;     // adapter: the register refused the Z report
}  // namespace result

// Parameter type codes shown to the host.
namespace param_type {
inline constexpr int32_t kText = 2;
inline constexpr int32_t kSwitch = 3;
inline constexpr int32_t kOther = 11;  // handle, action, or an index out of range
inline constexpr int32_t kFileName = 12;
}  // namespace param_type
