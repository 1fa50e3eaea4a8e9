#include "simulator/replay_driver.h"

#include <new>

#include "adapter/driver_members.h"
#include "adapter/journal_text.h"
#include "module/com_object.h"
#include "platform/ascii.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/com_ptr.h"

namespace {

constexpr std::string_view kProgId = "AddIn.FprnM8";
constexpr std::string_view kDiffers = "Обращение к драйверу расходится с журналом";

std::string_view VerbText(AccessVerb verb) {
  switch (verb) {
    case AccessVerb::Create:
      return "create";
    case AccessVerb::Get:
      return "get";
    case AccessVerb::Call:
      return "call";
    case AccessVerb::Put:
      return "put";
  }
  return "";
}

HRESULT Raise(EXCEPINFO* excepInfo, HRESULT status, std::string_view description) {
  if (excepInfo) {
    *excepInfo = EXCEPINFO{};
    excepInfo->scode = status;
    excepInfo->bstrSource = AnsiToBstr(kProgId).Detach();
    excepInfo->bstrDescription = AnsiToBstr(description).Detach();
  }
  return DISP_E_EXCEPTION;
}

// The followed value of what the caller wrote, by value or by reference.
const VARIANT& Written(const VARIANT& given) {
  return given.vt == (VT_BYREF | VT_VARIANT) && given.pvarVal ? *given.pvarVal : given;
}

class ReplayDriver final : public ComObject<IDispatch> {
 public:
  explicit ReplayDriver(ReplayCursor& cursor) : cursor_(cursor) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
  }
  // The adapter's member table gives the ids: a member's place plus one.
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count != 1 || !names || !names[0] || !ids) return E_INVALIDARG;
    const OleStringView name(names[0]);
    for (std::size_t place = 0; place < kDriverMemberCount; ++place) {
      if (SameAsciiName(name, kDriverMembers[place].name)) {
        ids[0] = static_cast<DISPID>(place + 1);
        return S_OK;
      }
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* excepInfo, UINT*) override {
    if (id < 1 || id > static_cast<DISPID>(kDriverMemberCount)) return DISP_E_MEMBERNOTFOUND;
    const std::string_view member = kDriverMembers[id - 1].name;
    try {
      AccessVerb verb = flags & DISPATCH_PROPERTYGET ? AccessVerb::Get : AccessVerb::Call;
      std::string value;
      if (flags & DISPATCH_PROPERTYPUT) {
        if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        verb = AccessVerb::Put;
        const VARIANT& given = params->rgvarg[0];
        value = ((given.vt & VT_BYREF) ? "&" : "") + JournalValue(Written(given));
      }
      const RecordedAccess* recorded = cursor_.Next(verb, member, value);
      if (!recorded) return Raise(excepInfo, E_FAIL, kDiffers);
      if (recorded->raised) return Raise(excepInfo, recorded->raised->status, recorded->raised->description);
      if (verb != AccessVerb::Put && result) JournalTextValue(recorded->value)->DetachTo(result);
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  ~ReplayDriver() override = default;

  ReplayCursor& cursor_;
};

}  // namespace

std::string AccessText(AccessVerb verb, std::string_view member, const std::string& value) {
  std::string text = std::string(VerbText(verb)) + " " + std::string(member);
  if (verb == AccessVerb::Put) text += " = " + value;
  return text;
}

void ReplayCursor::Begin(std::span<const RecordedAccess> accesses, int operationLine) {
  accesses_ = accesses;
  next_ = 0;
  operationLine_ = operationLine;
}

const RecordedAccess* ReplayCursor::Next(AccessVerb verb, std::string_view member, const std::string& value) {
  if (mismatch_) return nullptr;
  const std::string actual = AccessText(verb, member, value);
  if (next_ == accesses_.size()) {
    mismatch_ = ReplayMismatch{operationLine_, "(no more: the operation ends here)", actual};
    return nullptr;
  }
  const RecordedAccess& recorded = accesses_[next_];
  if (recorded.verb != verb || recorded.member != member || (verb == AccessVerb::Put && recorded.value != value)) {
    mismatch_ = ReplayMismatch{recorded.line, recorded.text, actual};
    return nullptr;
  }
  ++next_;
  return &recorded;
}

void ReplayCursor::End() {
  if (mismatch_ || next_ == accesses_.size()) return;
  const RecordedAccess& missing = accesses_[next_];
  mismatch_ = ReplayMismatch{missing.line, missing.text, "(none: the operation ended)"};
}

HRESULT ReplayDriverFactory::QueryInterface(REFIID riid, void** object) {
  return QueryInterfaceOf<IClassFactory>(this, riid, object);
}

HRESULT ReplayDriverFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  const RecordedAccess* recorded = cursor_.Next(AccessVerb::Create, kProgId, {});
  if (!recorded) return E_FAIL;
  if (recorded->raised) return recorded->raised->status;
  // The new object's one reference is ours until the caller has its own.
  const ComPtr<IDispatch> driver = ComPtr<IDispatch>::Attach(new (std::nothrow) ReplayDriver(cursor_));
  if (!driver) return E_OUTOFMEMORY;
  return driver->QueryInterface(riid, object);
}
