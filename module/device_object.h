// The component object the host holds: IFiscalDevice over a Device. This is
// the interface boundary: texts are converted once here, out values are set
// empty on entry, and no exception gets past it.
#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "contract/fiscal_device.h"
#include "module/com_object.h"
#include "module/device.h"

class DeviceObject final : public ComObject<IFiscalDevice, ISupportErrorInfo> {
 public:
  explicit DeviceObject(std::unique_ptr<Device> device);

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* excepInfo, UINT* argErr) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

  // IFiscalDevice
#define FISCAL_OPERATION(id, name, out, ...) \
  HRESULT STDMETHODCALLTYPE name FISCAL_COM_PARAMETERS(out, __VA_ARGS__) override;
#define FISCAL_COMMAND(id, name, ...) HRESULT STDMETHODCALLTYPE name FISCAL_COM_COMMAND_PARAMETERS(__VA_ARGS__) override;
#include "contract/operations.def"

 private:
  ~DeviceObject() override = default;

  // Checks the money among `args`, passes them on to `method` in the
  // module's terms and tells the device the result: what every operation
  // does between the interface and the device. A refusal is shown to the
  // device before it is thrown.
  template <ValueRole kOut, ValueRole... kRoles, class Result, class... Params, class... Args>
  Result Pass(OperationId id, const char* operation, Result (Device::*method)(Params...), const Args&... args);
  void RequireMoney(const char* operation, std::span<const long double> values);
  [[noreturn]] void Refuse(const char* operation, std::string_view message);

  std::unique_ptr<Device> device_;
};
