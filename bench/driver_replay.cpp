#include "bench/driver_replay.h"

#include <stdexcept>

#include "platform/bstr.h"
#include "platform/codepage.h"

namespace {

WORD FlagsOf(AccessKind kind) {
  switch (kind) {
    case AccessKind::Get:
      return DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    case AccessKind::Call:
      return DISPATCH_METHOD;
    case AccessKind::Put:
      break;
  }
  return DISPATCH_PROPERTYPUT;
}

DISPID IdOf(IDispatch& driver, const std::string& member) {
  OleString name = AnsiToUtf16(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(driver.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    throw std::runtime_error("the driver has no member " + member);
  }
  return id;
}

}  // namespace

DriverReplay::DriverReplay(IDispatch& driver, const std::vector<DriverAccess>& accesses) : driver_(driver) {
  steps_.reserve(accesses.size());
  for (const DriverAccess& access : accesses) {
    Variant value = access.kind == AccessKind::Put ? PutValue(access) : Variant();
    steps_.push_back(Step{IdOf(driver_, access.member), FlagsOf(access.kind), std::move(value), {}});
    if (access.kind != AccessKind::Put) continue;
    // The arguments point into the step, which stays where it is now.
    Step& step = steps_.back();
    VariantInit(&step.reference);
    step.reference.vt = VT_BYREF | VT_VARIANT;
    step.reference.pvarVal = step.value.Get();
    step.params = {access.byReference ? &step.reference : step.value.Get(), &step.named, 1, 1};
  }
}

bool DriverReplay::Run() {
  for (Step& step : steps_) {
    Variant result;
    EXCEPINFO info{};
    UINT badArgument = 0;
    const HRESULT status = driver_.Invoke(step.id, IID_NULL, LOCALE_USER_DEFAULT, step.flags, &step.params,
                                          result.Get(), &info, &badArgument);
    if (FAILED(status)) {
      // The texts of a raised error are ours to free.
      Bstr source = Bstr::Attach(info.bstrSource);
      Bstr description = Bstr::Attach(info.bstrDescription);
      Bstr helpFile = Bstr::Attach(info.bstrHelpFile);
      return false;
    }
  }
  return true;
}
