// IDispatch::Invoke (and GetIDsOfNames) of one module's object with whatever
// the input makes of them: any dispatch id, flags and argument count,
// variants of every type by value and by reference, null pointers, empty and
// huge texts, interfaces. Beyond no crash, no leak and no sanitizer report:
//   - exception information that comes back carries a failure and a text;
//   - a conversion failure names an argument that was passed;
//   - a result variant can always be cleared;
//   - interfaces handed in come back with their references balanced;
//   - once the object is released the module may unload, and no driver
//     object is left behind.
// Files the input names are kept inside the scratch folder, and runs of
// blank lines long enough to take minutes are left out.
#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <vector>

#include "contract/operations.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/excep_info.h"
#include "tests/fuzz/fuzz_environment.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr DISPID kConnect = 11;
constexpr DISPID kFeedLines = 14;
constexpr DISPID kSaveSettings = 16;
constexpr LONG kMostBlankLines = 1000;
constexpr bool kIsAdapter = std::string_view(FUZZ_MODULE) == "Tarnvik.xhw";

// An interface to hand in. It is never freed; its count shows whether the
// module released every reference it took.
class CountedObject final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (SameGuid(riid, IID_IUnknown) || SameGuid(riid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  ULONG Count() const { return refs_; }

 private:
  ULONG refs_ = 1;
};

CountedObject gObject;

constexpr VARTYPE kTypes[] = {VT_EMPTY,   VT_NULL, VT_I2,       VT_I4,    VT_R4,           VT_R8,      VT_CY,
                              VT_DATE,    VT_BSTR, VT_DISPATCH, VT_ERROR, VT_BOOL,         VT_VARIANT, VT_UNKNOWN,
                              VT_DECIMAL, VT_I1,   VT_UI1,      VT_UI2,   VT_UI4,          VT_I8,      VT_UI8,
                              VT_INT,     VT_UINT, 0x48,        0x7F,     VT_ARRAY | VT_I4};

// Texts that mean something to a conversion, and the odd ones out.
constexpr const char16_t* kTexts[] = {
    u"",           u"0",     u"-1",     u"2147483648", u"1e999", u"1,5",          u" 12 ", u"NaN",
    u"inf",        u"true",  u"False",  u"0x10",       u"nul",   u"receipts.txt", u"Хлеб", u"2026-12-08 14:05:09",
    u"31.02.2026", u"12:61", u"\xD800", u"1e-400"};

// Everything one call hands over, freed after the call.
class CallArguments {
 public:
  CallArguments() = default;
  CallArguments(const CallArguments&) = delete;
  CallArguments& operator=(const CallArguments&) = delete;
  ~CallArguments() {
    for (VARIANT& v : values) Free(v);
    for (VARIANT& v : referenced) Free(v);
    for (BSTR text : strings) SysFreeString(text);
    for (IDispatch* object : objects) {
      if (object) object->Release();
    }
  }

  VARIANT Make(FuzzInput& in, int depth) {
    VARIANT v;
    VariantInit(&v);
    const VARTYPE type = kTypes[in.Below(std::size(kTypes))];
    const bool byReference = type == VT_VARIANT || (type != VT_EMPTY && type != VT_NULL && in.Below(4) == 0);
    v.vt = static_cast<VARTYPE>(type | (byReference ? VT_BYREF : 0));
    if (byReference) {
      if (in.Below(8) == 0) return v;  // a null reference
      if (type == VT_VARIANT) {
        VARIANT inner = depth < 2 ? Make(in, depth + 1) : VARIANT{};
        referenced.push_back(inner);
        v.pvarVal = &referenced.back();
      } else if (type == VT_BSTR) {
        strings.push_back(Text(in));
        v.pbstrVal = &strings.back();
      } else if (type == VT_DISPATCH || type == VT_UNKNOWN) {
        objects.push_back(Object(in));
        v.ppdispVal = &objects.back();
      } else {
        Scalar& scalar = scalars.emplace_back();
        for (uint8_t& byte : scalar.bytes) byte = in.Byte();
        v.byref = scalar.bytes;
      }
      return v;
    }
    if (type == VT_BSTR) {
      v.bstrVal = Text(in);
    } else if (type == VT_DISPATCH || type == VT_UNKNOWN) {
      v.pdispVal = Object(in);
    } else if (type != VT_EMPTY && type != VT_NULL && !(type & VT_ARRAY)) {
      v.llVal = in.Raw<LONGLONG>();
    }
    return v;
  }

  std::vector<VARIANT> values;

 private:
  struct Scalar {
    alignas(16) uint8_t bytes[16];
  };

  static BSTR Text(FuzzInput& in) {
    switch (in.Below(8)) {
      case 0:
        return nullptr;
      case 1: {
        // Huge: a megabyte and more of one character, or of digits.
        const std::size_t length = (1u << 19) + in.Below(1u << 19);
        const char16_t unit = in.Below(2) ? u'Я' : u'9';
        OleString text(length, unit);
        return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      }
      case 2:
      case 3:
        return SysAllocString(kTexts[in.Below(std::size(kTexts))]);
      default: {
        // Raw UTF-16 units, lone surrogates and zeros included.
        OleString text;
        for (std::size_t count = in.Below(64); count > 0 && !in.Empty(); --count) {
          text += static_cast<char16_t>(in.Raw<uint16_t>());
        }
        return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      }
    }
  }

  static IDispatch* Object(FuzzInput& in) {
    if (in.Below(3) == 0) return nullptr;
    gObject.AddRef();
    return &gObject;
  }

  // Frees what this harness allocated into a variant, by hand: the module's
  // own VariantClear is under test, not a tool here.
  static void Free(VARIANT& v) {
    if (v.vt == VT_BSTR) SysFreeString(v.bstrVal);
    if ((v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) && v.pdispVal) v.pdispVal->Release();
  }

  std::deque<VARIANT> referenced;
  std::deque<Scalar> scalars;
  std::deque<BSTR> strings;
  std::deque<IDispatch*> objects;
};

// The text of parameter 0: the receipt file name or the settings folder.
std::string FirstParameter(IFiscalDevice& device) {
  VARIANT value;
  VariantInit(&value);
  if (device.GetParamValue(0, &value) != S_OK) return {};
  std::string text = value.vt == VT_BSTR ? Utf16ToAnsi(OleStringView(value.bstrVal, SysStringLen(value.bstrVal))) : "";
  VariantClear(&value);
  return text;
}

bool IsNullDevice(const std::string& name) {
  return SameAsciiName(std::string_view(name), std::string_view("nul"));
}

// A receipt file or settings folder named by the input is moved into the
// scratch folder before the module opens it: the same name, its slashes
// made harmless.
void KeepFilesInScratch(IFiscalDevice& device, DISPID id) {
  if (id != (kIsAdapter ? kSaveSettings : kConnect)) return;
  const std::string name = FirstParameter(device);
  if (IsNullDevice(name) || (kIsAdapter && name.find('/') == std::string::npos)) return;
  std::string kept = name.substr(0, 64);
  for (char& c : kept) {
    if (c == '/' || c == '\0') c = '_';
  }
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  const OleString path = AnsiToUtf16(FuzzScratch() + "/work/file-" + kept);
  value.bstrVal = SysAllocStringLen(path.data(), static_cast<UINT>(path.size()));
  device.SetParamValue(0, value);
  SysFreeString(value.bstrVal);
}

// Blank lines by the million would take minutes, on the register as in a file.
bool TooManyBlankLines(DISPID id, const DISPPARAMS& params) {
  if (id != kFeedLines || params.cArgs != 1 || !params.rgvarg) return false;
  VARIANT count;
  VariantInit(&count);
  return VariantChangeType(&count, &params.rgvarg[0], 0, VT_I4) == S_OK && count.lVal > kMostBlankLines;
}

void Invoke(IFiscalDevice& device, FuzzInput& in) {
  const DISPID id = in.Below(4) == 0 ? in.Raw<DISPID>() : static_cast<DISPID>(1 + in.Below(43));
  constexpr WORD kFlags[] = {DISPATCH_METHOD,      DISPATCH_PROPERTYGET,    DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                             DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF, 0};
  const WORD flags = in.Below(8) == 0 ? in.Raw<WORD>() : kFlags[in.Below(std::size(kFlags))];

  // Mostly as many arguments as the operation takes, so calls get past the
  // count check to the conversions.
  const Operation* operation = FindOperation(id);
  uint32_t count = operation && in.Below(2) == 0 ? static_cast<uint32_t>(operation->arguments.size()) : in.Below(10);
  CallArguments arguments;
  for (; count > 0; --count) arguments.values.push_back(arguments.Make(in, 0));
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{arguments.values.data(), nullptr, static_cast<UINT>(arguments.values.size()), 0};
  if (!arguments.values.empty() && in.Below(16) == 0) params.rgvarg = nullptr;
  if (in.Below(8) == 0) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  if (TooManyBlankLines(id, params)) return;
  KeepFilesInScratch(device, id);

  VARIANT result;
  VariantInit(&result);
  ExceptionInfo info;
  UINT argErr = ~0u;
  const bool wantResult = in.Below(4) != 0;
  const bool wantInfo = in.Below(4) != 0;
  const bool wantArgErr = in.Below(4) != 0;
  const ULONG objectRefs = gObject.Count();
  const HRESULT hr =
      device.Invoke(id, IID_NULL, 0, flags, in.Below(16) == 0 ? nullptr : &params, wantResult ? &result : nullptr,
                    wantInfo ? info.Put() : nullptr, wantArgErr ? &argErr : nullptr);

  if (hr == DISP_E_EXCEPTION && wantInfo && (!FAILED(info.Get().scode) || !info.Get().bstrDescription)) {
    BrokenPromise("exception information without a failure code or a description");
  }
  if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) && wantArgErr && argErr != ~0u && argErr >= params.cArgs) {
    BrokenPromise("an argument error names argument " + std::to_string(argErr) + " of " + std::to_string(params.cArgs));
  }
  if (wantResult && VariantClear(&result) != S_OK) BrokenPromise("the result variant cannot be cleared");
  if (gObject.Count() != objectRefs) BrokenPromise("an interface handed in lost or gained references");
}

void LookUpNames(IFiscalDevice& device, FuzzInput& in) {
  const UINT count = in.Below(4);
  std::vector<OleString> texts;
  for (UINT i = 0; i < count; ++i) {
    OleString text = in.Below(2) ? OleString(kTexts[in.Below(std::size(kTexts))]) : AnsiToUtf16(in.Bytes(24));
    text.erase(std::find(text.begin(), text.end(), u'\0'), text.end());
    texts.push_back(in.Below(2) ? text : OleString(u"PrintText"));
  }
  std::vector<LPOLESTR> names;
  for (OleString& text : texts) names.push_back(text.data());
  std::vector<DISPID> ids(count + 1);
  device.GetIDsOfNames(IID_NULL, in.Below(8) == 0 ? nullptr : names.data(), count, 0,
                       in.Below(8) == 0 ? nullptr : ids.data());
}

}  // namespace

namespace {
// Loaded before fuzzing starts, so their coverage counts from the first input.
const HostModule* gModule = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (kIsAdapter) RegisteredSimulator();
  FuzzScratch();
  gModule = new HostModule(FUZZ_MODULE);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const HostModule* module = gModule;
  ResetScratch();
  FuzzInput in(data, size);
  {
    ComPtr<IFiscalDevice> device = module->CreateDevice();
    for (int calls = 0; calls < 24 && !in.Empty(); ++calls) {
      if (in.Below(8) == 0) {
        LookUpNames(*device.Get(), in);
      } else {
        Invoke(*device.Get(), in);
      }
    }
  }
  module->LastErrorMessage();  // the thread's error information, taken and dropped
  if (module->CanUnloadNow() != S_OK) BrokenPromise("an object outlived its last reference");
  if (kIsAdapter && RegisteredSimulator().CanUnloadNow() != S_OK) {
    BrokenPromise("a driver object outlived the adapter object");
  }
  return 0;
}
