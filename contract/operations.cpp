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
  LONG slot = 0;
  LONG* Address() { return &slot; }
  void Store(VARIANT& result, ValueKind) {
    result.vt = VT_I4;
    result.lVal = slot;
  }
};

template <>
struct Out<double*> {
  double slot = 0;
  double* Address() { return &slot; }
  void Store(VARIANT& result, ValueKind kind) {
    result.vt = kind == ValueKind::DateTime ? VT_DATE : VT_R8;
    result.dblVal = slot;
  }
};

template <>
struct Out<BSTR*> {
  Bstr slot;
  BSTR* Address() { return slot.Put(); }
  void Store(VARIANT& result, ValueKind) {
    result.vt = VT_BSTR;
    result.bstrVal = slot.Detach();
  }
};

template <>
struct Out<VARIANT*> {
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
      if (SUCCEEDED(hr) && result) out.Store(*result, OutKind);
      return hr;
    } else {
      return (device.*Method)(InAt<I>::Pass(std::get<I>(holders))...);
    }
  }
};

template <auto Method, ValueKind OutKind = ValueKind::None, ValueRole... kRoles>
constexpr Operation Entry(std::string_view name, DISPID id) {
  using T = Thunk<Method, OutKind>;
  return {name, id, T::kArguments, OutKind, ((kRoles == ValueRole::Personal) || ...), &T::Run};
}

// The out value's kind as the table shows it to callers by name.
constexpr ValueKind KindOf(ValueRole role) {
  switch (role) {
    case ValueRole::Integer:
      return ValueKind::Integer;
    case ValueRole::ResultCode:
      return ValueKind::ResultCode;
    case ValueRole::DateTime:
      return ValueKind::DateTime;
    case ValueRole::Number:
    case ValueRole::Money:
    case ValueRole::Quantity:
    case ValueRole::Price:
      return ValueKind::Number;
    case ValueRole::Text:
    case ValueRole::InterfaceText:
    case ValueRole::Personal:
      return ValueKind::Text;
    case ValueRole::Variant:
      return ValueKind::Variant;
  }
  return ValueKind::None;
}

constexpr std::array kOperations = {
#define FISCAL_OPERATION(id, name, out, ...)           \
  Entry<&IFiscalDevice::name, KindOf(FISCAL_ROLE out), \
        FISCAL_ROLE out __VA_OPT__(, ) FISCAL_EACH(FISCAL_ROLE, __VA_ARGS__)>(#name, id),
#define FISCAL_COMMAND(id, name, ...) \
  Entry<&IFiscalDevice::name, ValueKind::None __VA_OPT__(, ) FISCAL_EACH(FISCAL_ROLE, __VA_ARGS__)>(#name, id),
#include "contract/operations.def"
};

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
