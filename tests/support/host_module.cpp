#include "tests/support/host_module.h"

#include <stdexcept>
#include <vector>

#include "contract/operations.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/excep_info.h"

namespace {

std::string Given(std::optional<std::string> text, const char* what) {
  if (!text) throw std::runtime_error(std::string(what) + " gives a null pointer");
  return std::move(*text);
}

}  // namespace

std::string HostModule::HardwareName(int32_t index) const {
  return Given(module_.HardwareName(index), "GetHardwareName");
}

std::string HostModule::HardwareClassString(int32_t index) const {
  return Given(module_.HardwareClassString(index), "GetHardwareClassString");
}

ServerRegistration::ServerRegistration(const HostModule& module) : module_(module) {
  if (module.RegisterServer() != S_OK) throw std::runtime_error("cannot register " + module.Path());
}

std::string HostModule::LastErrorMessage() const { return TakeErrorText(&IErrorInfo::GetDescription); }
std::string HostModule::LastErrorSource() const { return TakeErrorText(&IErrorInfo::GetSource); }

std::string HostModule::TakeErrorText(decltype(&IErrorInfo::GetSource) text) const {
  ComPtr<IErrorInfo> info = TakeErrorInfo(module_.Library());
  if (!info) return "";
  Bstr value;
  (info.Get()->*text)(value.Put());
  return AnsiToUtf8(Utf16ToAnsi(value.View()));
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
  ExceptionInfo ignored;
  UINT argErr = 0;
  hr = device_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Get(),
                       excepInfo ? excepInfo : ignored.Put(), &argErr);
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
