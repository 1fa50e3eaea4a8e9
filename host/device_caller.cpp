#include "host/device_caller.h"

#include <string>
#include <vector>

#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/excep_info.h"

namespace {

CallOutcome Failure(HRESULT status, std::string message) {
  CallOutcome outcome;
  outcome.status = status;
  outcome.message = message.empty() ? StatusMessage(status) : std::move(message);
  return outcome;
}

}  // namespace

CallOutcome VtableCaller::Call(const Operation& operation, std::span<const VARIANT> arguments) {
  constexpr UINT kAllConverted = ~0u;
  CallOutcome outcome;
  UINT badArgument = kAllConverted;
  outcome.status = operation.call(device_, arguments.data(), outcome.out.Get(), badArgument);
  // An argument that does not convert never reaches the module, so the
  // module has no error information for it.
  if (badArgument != kAllConverted) {
    return Failure(outcome.status,
                   "argument " + std::to_string(badArgument + 1) + ": " + StatusMessage(outcome.status));
  }
  if (FAILED(outcome.status)) return Failure(outcome.status, module_.FailureMessage(outcome.status));
  return outcome;
}

CallOutcome DispatchCaller::Call(const Operation& operation, std::span<const VARIANT> arguments) {
  // A BSTR is also a plain zero-terminated name, and servers that read the
  // name's length from a BSTR prefix get it right too.
  Bstr name = AnsiToBstr(operation.name);
  LPOLESTR names[] = {name.Get()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT status = device_.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(status)) return Failure(status, "GetIDsOfNames: " + StatusMessage(status));

  // Callers of Invoke pass the arguments last first; the copies only borrow
  // the values, which stay owned by `arguments`.
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  CallOutcome outcome;
  ExceptionInfo exception;
  EXCEPINFO& raw = *exception.Put();
  UINT argumentError = 0;
  status = device_.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, outcome.out.Get(), &raw,
                          &argumentError);
  if (status == DISP_E_EXCEPTION) {
    if (raw.pfnDeferredFillIn) raw.pfnDeferredFillIn(&raw);
    // The operation's own status travels in scode; report that one, as the
    // vtable call would.
    const HRESULT reported = FAILED(raw.scode) ? raw.scode : status;
    return Failure(reported, AnsiToUtf8(BstrToAnsi(raw.bstrDescription)));
  }
  if (FAILED(status)) return Failure(status, "");
  return outcome;
}
