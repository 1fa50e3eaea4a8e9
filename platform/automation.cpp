// Late binding through IDispatch only, so the same code serves every
// platform and every automation server.
#include "platform/automation.h"

#include <utility>

#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"

namespace {

std::string Failure(HRESULT status, std::string_view member) {
  return StatusMessage(status) + ": " + std::string(member);
}

// The server's own account of a failed call. Every text it handed over is
// ours to free, whatever the outcome.
ComError ServerException(EXCEPINFO& info, HRESULT status, std::string_view member) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  Bstr source = Bstr::Attach(std::exchange(info.bstrSource, nullptr));
  Bstr description = Bstr::Attach(std::exchange(info.bstrDescription, nullptr));
  Bstr helpFile = Bstr::Attach(std::exchange(info.bstrHelpFile, nullptr));
  HRESULT reported = FAILED(info.scode) ? info.scode : status;
  std::string text = BstrToAnsi(description.Get());
  return ComError(reported, text.empty() ? Failure(reported, member) : text);
}

}  // namespace

AutomationObject AutomationObject::Create(std::string_view progId) {
  return AutomationObject(CreateObjectByProgId(progId));
}

AutomationObject::AutomationObject(ServerObject object) : server_(std::move(object)) {}

Variant AutomationObject::Get(std::string_view name) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, none);
}

void AutomationObject::Call(std::string_view name) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  Invoke(name, DISPATCH_METHOD, none);
}

void AutomationObject::Put(std::string_view name, Variant value, bool byReference) {
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | VT_VARIANT;
  reference.pvarVal = value.Get();
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{byReference ? &reference : value.Get(), &named, 1, 1};
  Invoke(name, DISPATCH_PROPERTYPUT, params);
}

DISPID AutomationObject::IdOf(std::string_view name) {
  if (auto known = ids_.find(name); known != ids_.end()) return known->second;
  OleString wide = AnsiToUtf16(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT status = Raw()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(status)) throw ComError(status, Failure(status, name));
  ids_.emplace(std::string(name), id);
  return id;
}

Variant AutomationObject::Invoke(std::string_view name, WORD flags, DISPPARAMS& params) {
  DISPID id = IdOf(name);
  Variant result;
  EXCEPINFO info{};
  UINT badArgument = 0;
  HRESULT status = Raw()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Get(), &info, &badArgument);
  if (status == DISP_E_EXCEPTION) throw ServerException(info, status, name);
  if (FAILED(status)) throw ComError(status, Failure(status, name));
  return result;
}
