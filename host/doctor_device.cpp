#include "host/doctor_device.h"

#include "host/output.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/variant.h"

RegisteredDevice::RegisteredDevice(std::string_view progId) : server_(CreateObjectByProgId(progId)) {
  const HRESULT status = server_.object->QueryInterface(IID_IFiscalDevice, device_.PutVoid());
  if (FAILED(status) || !device_) throw ComError(FAILED(status) ? status : E_NOINTERFACE, StatusMessage(status));
}

std::string RegisteredDevice::ParamText(LONG index) const {
  Variant value;
  const HRESULT status = device_->GetParamValue(index, value.Get());
  if (FAILED(status)) throw ComError(status, StatusMessage(status));
  return value.ToAnsi();
}

bool RegisteredDevice::ParamSwitch(LONG index) const {
  Variant value;
  const HRESULT status = device_->GetParamValue(index, value.Get());
  if (FAILED(status)) throw ComError(status, StatusMessage(status));
  return value.ToBool();
}

std::string RegisteredDevice::ResultText() const {
  Bstr text;
  if (FAILED(device_->GetResultText(text.Put()))) return {};
  return AnsiToUtf8(BstrToAnsi(text.Get()));
}

std::string CallFailure(HRESULT status) { return FormatFailure(status, StatusMessage(status)); }
