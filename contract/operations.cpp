#include "contract/operations.h"

#include <array>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/ascii.h"
#include "platform/bstr.h"
#include "platform/variant.h"

namespace {

// How one in-argument is taken from a VARIANT and handed to the method.
template <class T>
struct In;

// A number arrives in whatever type the caller had and is changed to the
// parameter's.
template <class Number, ValueKind Kind, VARTYPE Type>
struct NumberIn {
  static constexpr ValueKind kKind = Kind;
  using Holder = Number;
  static HRESULT From(const VARIANT& value, Holder& holder) {
    Variant converted;
    HRESULT hr = VariantChangeType(converted.Get(), &value, 0, Type);
    if (FAILED(hr)) return hr;
    if constexpr (Type == VT_I4) {
      holder = converted.Ref().lVal;
    } else {
      holder = converted.Ref().dblVal;
    }
    return hr;
  }
  static Number Pass(const Holder& holder) { return holder; }
};

template <>
struct In<LONG> : NumberIn<LONG, ValueKind::Integer, VT_I4> {};

template <>
struct In<double> : NumberIn<double, ValueKind::Number, VT_R8> {};

template <>
struct In<BSTR> {
  static constexpr ValueKind kKind = ValueKind::Text;
  using Holder = Variant;
  static HRESULT From(const VARIANT& value, Holder& holder) {
    return VariantChangeType(holder.Get(), &value, 0, VT_BSTR);
  }
  static BSTR Pass(const Holder& holder) { return holder.Ref().bstrVal; }
};

template <>
struct In<VARIANT> {
  static constexpr ValueKind kKind = ValueKind::Variant;
  using Holder = Variant;
  // A by-reference argument is passed on as the value it refers to.
  static HRESULT From(const VARIANT& value, Holder& holder) {
    // A reference to nothing is a wrong argument, not one to follow.
    if (value.vt == (VT_BYREF | VT_VARIANT) && !value.pvarVal) return DISP_E_TYPEMISMATCH;
    const VARIANT& source = value.vt == (VT_BYREF | VT_VARIANT) ? *value.pvarVal : value;
    if (source.vt & VT_BYREF) return VariantChangeType(holder.Get(), &source, 0, source.vt & ~VT_BYREF);
    return VariantCopy(holder.Get(), &source);
  }
  // Passed by value: the callee borrows it, we still own it.
  static VARIANT Pass(const Holder& holder) { return holder.Ref(); }
};

// The out value's slot and how it becomes the call's result.
template <class T>
struct Out;

template <>
struct Out<LONG*> {
  static constexpr ValueKind kKind = ValueKind::Integer;
  LONG slot = 0;
  LONG* Address() { return &slot; }
  void Store(VARIANT& result, ValueKind) {
    result.vt = VT_I4;
    result.lVal = slot;
  }
};

template <>
struct Out<double*> {
  static constexpr ValueKind kKind = ValueKind::Number;
  double slot = 0;
  double* Address() { return &slot; }
  void Store(VARIANT& result, ValueKind kind) {
    result.vt = kind == ValueKind::DateTime ? VT_DATE : VT_R8;
    result.dblVal = slot;
  }
};

template <>
struct Out<BSTR*> {
  static constexpr ValueKind kKind = ValueKind::Text;
  Bstr slot;
  BSTR* Address() { return slot.Put(); }
  void Store(VARIANT& result, ValueKind) {
    result.vt = VT_BSTR;
    result.bstrVal = slot.Detach();
  }
};

template <>
struct Out<VARIANT*> {
  static constexpr ValueKind kKind = ValueKind::Variant;
  Variant slot;
  VARIANT* Address() { return slot.Get(); }
  void Store(VARIANT& result, ValueKind) { slot.DetachTo(&result); }
};

template <class T>
constexpr bool kIsOut = std::is_pointer_v<T> && !std::is_same_v<T, BSTR>;

template <class... P>
constexpr bool HasOut() {
  if constexpr (sizeof...(P) == 0) {
    return false;
  } else {
    return kIsOut<std::tuple_element_t<sizeof...(P) - 1, std::tuple<P...>>>;
  }
}

template <auto Method, ValueKind OutKind>
struct Thunk;

template <class... P, HRESULT (STDMETHODCALLTYPE IFiscalDevice::*Method)(P...), ValueKind OutKind>
struct Thunk<Method, OutKind> {
  using Types = std::tuple<P...>;
  static constexpr bool kHasOut = HasOut<P...>();
  static constexpr size_t kInputs = sizeof...(P) - (kHasOut ? 1 : 0);
  template <size_t I>
  using InAt = In<std::tuple_element_t<I, Types>>;

  template <size_t... I>
  static constexpr std::array<ValueKind, kInputs> Kinds(std::index_sequence<I...>) {
    return {InAt<I>::kKind...};
  }
  static constexpr std::array<ValueKind, kInputs> kArguments = Kinds(std::make_index_sequence<kInputs>{});

  static constexpr ValueKind OutValueKind() {
    if constexpr (!kHasOut) {
      return ValueKind::None;
    } else if constexpr (OutKind != ValueKind::None) {
      return OutKind;
    } else {
      return Out<std::tuple_element_t<sizeof...(P) - 1, Types>>::kKind;
    }
  }

  static HRESULT Run(IFiscalDevice& device, const VARIANT* args, VARIANT* result, UINT& badArgument) {
    return Run(device, args, result, badArgument, std::make_index_sequence<kInputs>{});
  }

  template <size_t... I>
  static HRESULT Run(IFiscalDevice& device, const VARIANT* args, VARIANT* result, UINT& badArgument,
                     std::index_sequence<I...>) {
    std::tuple<typename InAt<I>::Holder...> holders{};
    HRESULT hr = S_OK;
    [[maybe_unused]] auto convert = [&](auto index) {
      constexpr size_t i = decltype(index)::value;
      hr = InAt<i>::From(args[i], std::get<i>(holders));
      if (FAILED(hr)) badArgument = static_cast<UINT>(i);
      return SUCCEEDED(hr);
    };
    if (!(convert(std::integral_constant<size_t, I>{}) && ...)) return hr;
    if constexpr (kHasOut) {
      Out<std::tuple_element_t<sizeof...(P) - 1, Types>> out;
      hr = (device.*Method)(InAt<I>::Pass(std::get<I>(holders))..., out.Address());
      if (SUCCEEDED(hr) && result) out.Store(*result, OutValueKind());
      return hr;
    } else {
      return (device.*Method)(InAt<I>::Pass(std::get<I>(holders))...);
    }
  }
};

template <auto Method, ValueKind OutKind = ValueKind::None>
constexpr Operation Entry(std::string_view name, DISPID id) {
  using T = Thunk<Method, OutKind>;
  return {name, id, T::kArguments, T::OutValueKind(), &T::Run};
}

#define OPERATION(name, id) Entry<&IFiscalDevice::name>(#name, id)
#define RESULT_OPERATION(name, id) Entry<&IFiscalDevice::name, ValueKind::ResultCode>(#name, id)

constexpr std::array kOperations = {
    RESULT_OPERATION(GetDeviceStatus, 1),
    OPERATION(GetResultCode, 2),
    OPERATION(GetParamDescription, 3),
    OPERATION(GetParamType, 4),
    OPERATION(GetParamName, 5),
    OPERATION(GetParamCount, 6),
    OPERATION(GetParamValue, 7),
    OPERATION(SetParamValue, 8),
    RESULT_OPERATION(CashIn, 9),
    RESULT_OPERATION(CashOut, 10),
    RESULT_OPERATION(Connect, 11),
    RESULT_OPERATION(TestConnection, 12),
    RESULT_OPERATION(XReport, 13),
    RESULT_OPERATION(FeedLines, 14),
    OPERATION(LoadSettings, 15),
    OPERATION(SaveSettings, 16),
    OPERATION(GetResultText, 17),
    OPERATION(Disconnect, 18),
    OPERATION(GetSerialNumber, 19),
    RESULT_OPERATION(SaleItem, 20),
    RESULT_OPERATION(SaleItemExt, 21),
    RESULT_OPERATION(AddDiscount, 22),
    RESULT_OPERATION(Payment, 23),
    RESULT_OPERATION(CloseReceiptAlt, 24),
    RESULT_OPERATION(CloseReceipt, 25),
    RESULT_OPERATION(ReturnItem, 26),
    RESULT_OPERATION(ReturnItemExt, 27),
    OPERATION(GetLastDocNumber, 28),
    RESULT_OPERATION(CancelReceipt, 29),
    RESULT_OPERATION(AddHeaderLine, 30),
    RESULT_OPERATION(AddFooterLine, 31),
    OPERATION(GetLastDocSum, 32),
    RESULT_OPERATION(PrintBarcode, 33),
    RESULT_OPERATION(PrintText, 34),
    OPERATION(ClearFooterLines, 35),
    OPERATION(ClearHeaderLines, 36),
    Entry<&IFiscalDevice::GetLastDocDateTime, ValueKind::DateTime>("GetLastDocDateTime", 37),
    RESULT_OPERATION(ZReport, 38),
    OPERATION(GetCustomerContact, 39),
    OPERATION(SetCustomerContact, 40),
    OPERATION(GetTaxSystem, 41),
    OPERATION(SetTaxSystem, 42),
};

#undef OPERATION
#undef RESULT_OPERATION

// FindOperation(DISPID) finds an operation by its place in the table.
consteval bool IdsFollowPlaces() {
  for (std::size_t i = 0; i < kOperations.size(); ++i) {
    if (kOperations[i].id != static_cast<DISPID>(i + 1)) return false;
  }
  return true;
}
static_assert(IdsFollowPlaces(), "the operation in place i of the table must have dispatch id i + 1");

consteval bool ArgumentsFit() {
  for (const Operation& op : kOperations) {
    if (op.arguments.size() > kMostOperationArguments) return false;
  }
  return true;
}
static_assert(ArgumentsFit(), "an operation takes more than kMostOperationArguments arguments");

template <class Char>
const Operation* FindByName(std::basic_string_view<Char> name) {
  for (const Operation& op : kOperations) {
    if (SameAsciiName(op.name, name)) return &op;
  }
  return nullptr;
}

}  // namespace

std::span<const Operation> Operations() { return kOperations; }

const Operation* FindOperation(OleStringView name) { return FindByName(name); }
const Operation* FindOperation(std::string_view name) { return FindByName(name); }

const Operation* FindOperation(DISPID id) {
  if (id < 1 || id > static_cast<DISPID>(kOperations.size())) return nullptr;
  return &kOperations[static_cast<size_t>(id - 1)];
}
