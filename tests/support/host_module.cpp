#include "tests/support/host_module.h"

#include <stdexcept>
#include <vector>

#include "contract/operations.h"
#include "module/exports.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/guid.h"

namespace {

// The exports in the modules' calling convention (stdcall on 32-bit Windows).
using CountFunction = int32_t SORVIN_CALL();
using TextFunction = const char* SORVIN_CALL(int32_t);
using GetClassObjectFunction = HRESULT SORVIN_CALL(REFCLSID, REFIID, void**);
using ServerFunction = HRESULT SORVIN_CALL();

}  // namespace

int32_t HostModule::HardwareCount() const { return Export<CountFunction>("GetHardwareCount")(); }

std::string HostModule::HardwareName(int32_t index) const {
  return AnsiToUtf8(Export<TextFunction>("GetHardwareName")(index));
}

std::string HostModule::HardwareClassString(int32_t index) const {
  return Export<TextFunction>("GetHardwareClassString")(index);
}

HRESULT HostModule::GetClassObject(REFCLSID clsid, REFIID riid, void** object) const {
  return Export<GetClassObjectFunction>("DllGetClassObject")(clsid, riid, object);
}

HRESULT HostModule::CanUnloadNow() const { return Export<ServerFunction>("DllCanUnloadNow")(); }
HRESULT HostModule::RegisterServer() const { return Export<ServerFunction>("DllRegisterServer")(); }
HRESULT HostModule::UnregisterServer() const { return Export<ServerFunction>("DllUnregisterServer")(); }

ServerRegistration::ServerRegistration(const HostModule& module) : module_(module) {
  if (module.RegisterServer() != S_OK) throw std::runtime_error("cannot register " + module.Path());
}

std::string HostModule::LastErrorMessage() const { return TakeErrorText(&IErrorInfo::GetDescription); }
std::string HostModule::LastErrorSource() const { return TakeErrorText(&IErrorInfo::GetSource); }

std::string HostModule::TakeErrorText(decltype(&IErrorInfo::GetSource) text) const {
  ComPtr<IErrorInfo> info = TakeErrorInfo();
  if (!info) return "";
  Bstr value;
  (info.Get()->*text)(value.Put());
  return AnsiToUtf8(Utf16ToAnsi(value.View()));
}

ComPtr<IClassFactory> HostModule::Factory() const {
  auto clsid = ParseGuid(HardwareClassString(0));
  if (!clsid) throw std::runtime_error("the module's class string is no class id");
  ComPtr<IClassFactory> factory;
  HRESULT hr = GetClassObject(*clsid, IID_IClassFactory, factory.PutVoid());
  if (FAILED(hr)) throw std::runtime_error("DllGetClassObject failed");
  return factory;
}

ComPtr<IFiscalDevice> HostModule::CreateDevice() const {
  ComPtr<IFiscalDevice> device;
  HRESULT hr = Factory()->CreateInstance(nullptr, IID_IFiscalDevice, device.PutVoid());
  if (FAILED(hr)) throw std::runtime_error("CreateInstance failed");
  return device;
}

Arg::Arg(const char* utf8) : value(Variant::Text(Utf8ToAnsi(utf8))) {}

std::string Ansi(std::string_view utf8) { return Utf8ToAnsi(utf8); }

namespace {

const Operation& OperationNamed(std::string_view name) {
  const Operation* op = FindOperation(name);
  if (!op) throw std::runtime_error("no operation " + std::string(name));
  return *op;
}

}  // namespace

HRESULT HostDevice::TryCall(std::string_view operation, std::initializer_list<Arg> args, Variant* out) const {
  const Operation& op = OperationNamed(operation);
  if (args.size() != op.arguments.size())
    throw std::runtime_error("wrong argument count for " + std::string(operation));
  std::vector<VARIANT> inOrder;
  for (const Arg& arg : args) inOrder.push_back(arg.value.Ref());
  Variant result;
  UINT bad = 0;
  HRESULT hr = op.call(*device_.Get(), inOrder.data(), result.Get(), bad);
  if (out) *out = std::move(result);
  return hr;
}

HRESULT HostDevice::TryInvoke(std::string_view operation, std::initializer_list<Arg> args, Variant* out,
                              EXCEPINFO* excepInfo) const {
  OleString name = AnsiToUtf16(operation);
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  HRESULT hr = device_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> reversed;
  for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back(it->value.Ref());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  Variant result;
  EXCEPINFO ignored{};
  UINT argErr = 0;
  hr = device_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Get(),
                       excepInfo ? excepInfo : &ignored, &argErr);
  if (!excepInfo) {
    SysFreeString(ignored.bstrSource);
    SysFreeString(ignored.bstrDescription);
    SysFreeString(ignored.bstrHelpFile);
  }
  if (out) *out = std::move(result);
  return hr;
}

Variant HostDevice::Call(std::string_view operation, std::initializer_list<Arg> args) const {
  Variant out;
  HRESULT hr = TryCall(operation, args, &out);
  if (hr != S_OK) {
    throw std::runtime_error(std::string(operation) + " returned a failure status: " + StatusMessage(hr));
  }
  return out;
}

LONG HostDevice::Int(std::string_view operation, std::initializer_list<Arg> args) const {
  return Call(operation, args).ToInt();
}

double HostDevice::Number(std::string_view operation, std::initializer_list<Arg> args) const {
  return Call(operation, args).ToDouble();
}

std::string HostDevice::Text(std::string_view operation, std::initializer_list<Arg> args) const {
  return AnsiToUtf8(Call(operation, args).ToAnsi());
}
