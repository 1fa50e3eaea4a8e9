// The two ways a host reaches an operation: straight through the vtable, as
// early-bound callers do, or by name through IDispatch, as scripting hosts
// do. Both give the same outcome for the same call.
#pragma once

#include <span>
#include <string>

#include "contract/fiscal_device.h"
#include "contract/operations.h"
#include "host/plugin_module.h"
#include "platform/variant.h"

struct CallOutcome {
  HRESULT status = S_OK;
  Variant out;          // the out value, empty for a failure or none
  std::string message;  // UTF-8: why the call failed, when it did
};

class DeviceCaller {
 public:
  virtual ~DeviceCaller() = default;
  // `arguments` in call order, already of the operation's parameter kinds.
  virtual CallOutcome Call(const Operation& operation, std::span<const VARIANT> arguments) = 0;
};

class VtableCaller : public DeviceCaller {
 public:
  // The module gives the error information of a failing call.
  VtableCaller(IFiscalDevice& device, const PluginModule& module) : device_(device), module_(module) {}
  CallOutcome Call(const Operation& operation, std::span<const VARIANT> arguments) override;

 private:
  IFiscalDevice& device_;
  const PluginModule& module_;
};

class DispatchCaller : public DeviceCaller {
 public:
  explicit DispatchCaller(IFiscalDevice& device) : device_(device) {}
  CallOutcome Call(const Operation& operation, std::span<const VARIANT> arguments) override;

 private:
  IFiscalDevice& device_;
};
