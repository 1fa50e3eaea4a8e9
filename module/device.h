// What a device class implements: the 42 operations of IFiscalDevice in the
// module's own terms (module/device_macros.h). Texts are Windows-1251,
// except the result text and the serial number, which may come from a driver
// in any script and so stay interface text (UTF-16); the out value is the
// return value. The frame (DeviceObject) does every conversion at the
// interface, sets out values empty on entry and turns an escaping exception
// into a failure status, so a device class only throws.
#pragma once

#include "contract/operation_id.h"
#include "module/device_macros.h"

class Device {
 public:
  virtual ~Device() = default;

#define FISCAL_OPERATION(id, name, out, ...) virtual DEVICE_OUT out name(DEVICE_PARAMETERS(__VA_ARGS__)) = 0;
#define FISCAL_COMMAND(id, name, ...) virtual void name(DEVICE_PARAMETERS(__VA_ARGS__)) = 0;
#include "contract/operations.def"

  // The frame refused an operation's arguments (a number that is not finite
  // or beyond the money limit) and never passed it on: a device that keeps a
  // journal notes it there. Nothing else may happen.
  virtual void Refused(const char* /*operation*/, const ComError& /*refusal*/) noexcept {}
  // `operation` returned `result` (0 for one whose out value is not a result
  // code): a device that keeps its last result by a table
  // (module/result_rules.h) applies it here.
  virtual void Finished(OperationId /*operation*/, int32_t /*result*/) noexcept {}
};
