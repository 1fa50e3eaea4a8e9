#include "simulator/register_object.h"

#include <new>
#include <optional>

#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "simulator/simulator_error.h"
#include "simulator/utf8.h"
#include "simulator/variant_value.h"

namespace {

constexpr OleStringView kSource = OLESTR("AddIn.FprnM8");

enum class Encoding { Utf8, Windows1251 };

void FillException(EXCEPINFO* excepInfo, HRESULT status, std::string_view description,
                   Encoding encoding = Encoding::Utf8) noexcept {
  if (!excepInfo) return;
  *excepInfo = EXCEPINFO{};
  excepInfo->scode = status;
  try {
    excepInfo->bstrSource = Bstr(kSource).Detach();
    std::string text = encoding == Encoding::Utf8 ? std::string(description) : AnsiToUtf8(description);
    excepInfo->bstrDescription = Bstr(Utf8ToUtf16(text)).Detach();
  } catch (...) {
    // Short of memory the caller still gets the status, without the texts.
  }
}

// Runs `action`; whatever it throws reaches the caller as an automation
// error (DISP_E_EXCEPTION) with the failure's text in `excepInfo`.
template <class Action>
HRESULT Guarded(EXCEPINFO* excepInfo, Action&& action) noexcept {
  try {
    action();
    return S_OK;
  } catch (const SimulatorError& e) {
    FillException(excepInfo, E_FAIL, e.what());
  } catch (const ComError& e) {
    FillException(excepInfo, e.Status(), e.what(), Encoding::Windows1251);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    FillException(excepInfo, E_FAIL, e.what());
  } catch (...) {
    FillException(excepInfo, E_UNEXPECTED, "Непредвиденная ошибка симулятора");
  }
  return DISP_E_EXCEPTION;
}

}  // namespace

RegisterObject::RegisterObject()
    : faults_(Faults::Read(settings_.File())),
      journal_(settings_.Files().journal),
      register_(settings_.Setup(), settings_.Counters(), Tape(settings_.Files().tape),
                [this](const RegisterCounters& counters) { settings_.SaveCounters(counters); }) {}

HRESULT RegisterObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT RegisterObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT RegisterObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!SameGuid(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  // Members take no named arguments, so only the first name can be known.
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  std::optional<Member> member = names[0] ? FindMember(OleStringView(names[0])) : std::nullopt;
  if (!member) return DISP_E_UNKNOWNNAME;
  ids[0] = DispatchIdOf(*member);
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT RegisterObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* excepInfo, UINT* argErr) {
  if (!SameGuid(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  std::optional<Member> member = MemberOfDispatchId(id);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  UINT given = params ? params->cArgs : 0;
  UINT named = params ? params->cNamedArgs : 0;
  if (given != 0 && !params->rgvarg) return E_POINTER;
  if (flags & DISPATCH_PROPERTYPUT) {
    if (given != 1) return DISP_E_BADPARAMCOUNT;
    if (named > 1 ||
        (named == 1 && (!params->rgdispidNamedArgs || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))) {
      return DISP_E_PARAMNOTFOUND;
    }
    return Write(*member, params->rgvarg[0], excepInfo, argErr);
  }
  if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  if (named != 0) return DISP_E_NONAMEDARGS;
  if (given != 0) return DISP_E_BADPARAMCOUNT;
  return Read(*member, flags & DISPATCH_PROPERTYGET ? Access::Get : Access::Call, result, excepInfo);
}

HRESULT RegisterObject::Read(Member member, Access access, VARIANT* result, EXCEPINFO* excepInfo) {
  std::optional<RegisterValue> value;
  HRESULT status = Guarded(excepInfo, [&] { value = Perform(member); });
  HRESULT journaled = Guarded(FAILED(status) ? nullptr : excepInfo,
                              [&] { journal_.Read(access, InfoOf(member).name, value ? &*value : nullptr); });
  if (FAILED(status)) return status;
  if (FAILED(journaled)) return journaled;
  return result ? Guarded(excepInfo, [&] { ToVariant(*value, result); }) : S_OK;
}

HRESULT RegisterObject::Write(Member member, const VARIANT& argument, EXCEPINFO* excepInfo, UINT* argErr) {
  const MemberInfo& info = InfoOf(member);
  VARIANT view = ValueView(argument);
  HRESULT status = Guarded(excepInfo, [&] { RaiseIfFaulted(member); });
  if (SUCCEEDED(status) && info.kind != MemberKind::ReadWrite) status = DISP_E_MEMBERNOTFOUND;
  std::optional<RegisterValue> value;
  if (SUCCEEDED(status)) {
    try {
      value = MemberValue(view, info.type);
    } catch (const ComError& e) {
      // The caller learns which argument would not convert.
      if (argErr) *argErr = 0;
      status = e.Status();
    } catch (...) {
      status = E_OUTOFMEMORY;
    }
  }
  if (value) status = Guarded(excepInfo, [&] { Store(member, std::move(*value)); });
  bool byReference = (argument.vt & VT_BYREF) != 0;
  HRESULT journaled = Guarded(FAILED(status) ? nullptr : excepInfo,
                              [&] { journal_.Put(info.name, GivenValue(view), byReference, FAILED(status)); });
  return FAILED(status) ? status : journaled;
}

RegisterValue RegisterObject::Perform(Member member) {
  RaiseIfFaulted(member);
  if (InfoOf(member).kind != MemberKind::Method) return register_.Get(member);
  if (const Fault* fault = faults_.For(member)) return register_.Refuse(fault->code, fault->description);
  return register_.Call(member);
}

void RegisterObject::Store(Member member, RegisterValue value) {
  const Fault* fault = faults_.For(member);
  bool switchingOn = member == Member::DeviceEnabled && std::get<bool>(value);
  if (fault && switchingOn) {
    // The register stays off and says why.
    register_.Refuse(fault->code, fault->description);
    return;
  }
  register_.Put(member, std::move(value));
}

void RegisterObject::RaiseIfFaulted(Member member) const {
  const Fault* fault = faults_.For(member);
  if (fault && fault->raise) throw SimulatorError("Сбой драйвера: " + std::string(InfoOf(member).name));
}
