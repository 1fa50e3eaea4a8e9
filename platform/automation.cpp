// Late binding through IDispatch only, so the same code serves every
// platform and every automation server.
#include "platform/automation.h"

#include <utility>

#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/excep_info.h"

namespace {

std::string Failure(HRESULT status, std::string_view member) {
  return StatusMessage(status) + ": " + std::string(member);
}

// The server's own account of a failed call, its description kept as the
// interface text it came as.
ComError ServerException(const EXCEPINFO& info, HRESULT status, std::string_view member) {
  const HRESULT reported = FAILED(info.scode) ? info.scode : status;
  const OleStringView description = BstrView(info.bstrDescription);
  if (description.empty()) return ComError(reported, Failure(reported, member));
  return ComError(reported, OleString(description));
}

}  // namespace

AutomationObject AutomationObject::Create(std::string_view progId, MemberNames members) {
  return AutomationObject(CreateObjectByProgId(progId), members);
}

AutomationObject::AutomationObject(ServerObject object, MemberNames members)
    : server_(std::move(object)), names_(members), ids_(members.size(), DISPID_UNKNOWN) {}

void AutomationObject::InvokePut(DISPID id, std::string_view name, Variant& value, bool byReference) {
  VARIANT reference{};
  reference.vt = VT_BYREF | VT_VARIANT;
  reference.pvarVal = value.Get();
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{byReference ? &reference : value.Get(), &named, 1, 1};
  Invoke(id, name, DISPATCH_PROPERTYPUT, params);
}

DISPID AutomationObject::IdOf(std::string_view name) const {
  OleString wide = AnsiToUtf16(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT status = Raw()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(status)) throw ComError(status, Failure(status, name));
  return id;
}

Variant AutomationObject::Invoke(DISPID id, std::string_view name, WORD flags, DISPPARAMS& params) {
  Variant result;
  EXCEPINFO filled{};
  UINT badArgument = 0;
  HRESULT status =
      Raw()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Get(), &filled, &badArgument);
  if (status == DISP_E_EXCEPTION && filled.pfnDeferredFillIn) filled.pfnDeferredFillIn(&filled);
  // Every text the server handed over is ours to free, whatever the outcome.
  const ExceptionInfo info(filled);
  if (status == DISP_E_EXCEPTION) throw ServerException(info.Get(), status, name);
  if (FAILED(status)) throw ComError(status, Failure(status, name));
  return result;
}
