// A module's object made the way a host makes it, through the class
// registry by its ProgID, and the few calls the doctor makes on it.
#pragma once

#include <string>
#include <string_view>

#include "contract/fiscal_device.h"
#include "platform/class_registry.h"
#include "platform/com_ptr.h"

class RegisteredDevice {
 public:
  // Throws a ComError with the runtime's reason when the object cannot be
  // made or is no IFiscalDevice.
  explicit RegisteredDevice(std::string_view progId);

  IFiscalDevice* operator->() const { return device_.Get(); }

  // The parameter's value, as module text (Windows-1251).
  std::string ParamText(LONG index) const;
  bool ParamSwitch(LONG index) const;
  // GetResultText as UTF-8.
  std::string ResultText() const;

 private:
  ServerObject server_;  // declared first, so the library outlives the object
  ComPtr<IFiscalDevice> device_;
};

// "failed 0x80004005 (message)" for a failed call; the reason as UTF-8.
std::string CallFailure(HRESULT status);
