#include "module/device_object.h"

#include <array>
#include <cmath>
#include <new>
#include <type_traits>

#include "contract/operations.h"
#include "module/dispatch.h"
#include "module/money.h"
#include "module/module_identity.h"
#include "platform/ansi.h"
#include "platform/bstr.h"
#include "platform/error.h"
#include "platform/module_path.h"
#include "platform/type_library.h"

namespace {

HRESULT Fail(HRESULT status, std::string_view message) noexcept {
  SetErrorMessage(ThisModule().libraryName, message);
  return status;
}

// A server's or the system's message keeps every character it came with.
HRESULT Fail(const ComError& failure) noexcept {
  SetErrorMessage(ThisModule().libraryName, failure);
  return failure.Status();
}

// Runs an operation's body; whatever escapes it becomes a failure status
// with its message in the thread's error information.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (const ComError& e) {
    return Fail(e);
  } catch (const std::bad_alloc&) {
    return Fail(E_OUTOFMEMORY, "Недостаточно памяти"_ansi);
  } catch (const std::exception& e) {
    return Fail(E_UNEXPECTED, e.what());
  } catch (...) {
    return Fail(E_UNEXPECTED, "Непредвиденная ошибка"_ansi);
  }
}

HRESULT NullOut() { return Fail(E_POINTER, "Не передан адрес для результата операции"_ansi); }

// Each out value is set empty before anything else runs.
template <class Number, class Body>
  requires std::is_arithmetic_v<Number>
HRESULT Run(Number* out, Body&& body) noexcept {
  if (!out) return NullOut();
  *out = 0;
  return Guarded([&] { *out = body(); });
}

template <class Body>
HRESULT Run(BSTR* out, Body&& body) noexcept {
  if (!out) return NullOut();
  *out = nullptr;
  return Guarded([&] {
    auto text = body();
    if constexpr (std::is_same_v<decltype(text), OleString>) {
      *out = Bstr(text).Detach();
    } else {
      *out = AnsiToBstr(text).Detach();
    }
  });
}

template <class Body>
HRESULT Run(VARIANT* out, Body&& body) noexcept {
  if (!out) return NullOut();
  VariantInit(out);
  return Guarded([&] { body().DetachTo(out); });
}

// The money an operation's arguments carry, in their order: each money,
// quantity and price, then a line's sum (its quantity times its price),
// which is money too.
class MoneyArguments {
 public:
  template <ValueRole kRole, class Arg>
  void Take(const Arg& arg) {
    if constexpr (IsMoney(kRole)) {
      values_[count_++] = arg;
      if constexpr (kRole != ValueRole::Money) {
        line_ *= arg;
        isLine_ = true;
      }
    }
  }
  std::span<const long double> Values() {
    if (isLine_) values_[count_++] = line_;
    isLine_ = false;
    return {values_.data(), count_};
  }

 private:
  std::array<long double, kMostOperationArguments + 1> values_{};
  std::size_t count_ = 0;
  long double line_ = 1;
  bool isLine_ = false;
};

// An argument as the device takes it: texts in Windows-1251, the rest as
// they came.
template <ValueRole kRole, class Arg>
decltype(auto) ModuleValue(const Arg& arg) {
  if constexpr (IsModuleText(kRole)) {
    return BstrToAnsi(arg);
  } else {
    return (arg);
  }
}

}  // namespace

DeviceObject::DeviceObject(std::unique_ptr<Device> device) : device_(std::move(device)) {}

template <ValueRole kOut, ValueRole... kRoles, class Result, class... Params, class... Args>
Result DeviceObject::Pass(OperationId id, const char* operation, Result (Device::*method)(Params...),
                          const Args&... args) {
  if constexpr ((IsMoney(kRoles) || ...)) {
    MoneyArguments money;
    (money.Take<kRoles>(args), ...);
    RequireMoney(operation, money.Values());
  }
  if constexpr (std::is_void_v<Result>) {
    (device_.get()->*method)(ModuleValue<kRoles>(args)...);
    device_->Finished(id, 0);
  } else {
    Result out = (device_.get()->*method)(ModuleValue<kRoles>(args)...);
    if constexpr (kOut == ValueRole::ResultCode) {
      device_->Finished(id, out);
    } else {
      device_->Finished(id, 0);
    }
    return out;
  }
}

// Every number argument is money or a quantity that multiplies money. One
// that is not finite would end up in the cash in the drawer and poison every
// later check against it; one beyond the money limit would lose its kopecks.
void DeviceObject::RequireMoney(const char* operation, std::span<const long double> values) {
  for (long double value : values) {
    if (!std::isfinite(value)) {
      Refuse(operation, "Сумма, количество, цена или скидка должны быть конечным числом"_ansi);
    }
    if (!WithinMoneyLimit(value)) Refuse(operation, kAmountBeyondLimit);
  }
}

void DeviceObject::Refuse(const char* operation, std::string_view message) {
  const ComError refusal(E_INVALIDARG, std::string(message));
  device_->Refused(operation, refusal);
  throw refusal;
}

HRESULT DeviceObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = ModuleTypeInfoCount();
  return S_OK;
}

HRESULT DeviceObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index >= ModuleTypeInfoCount()) return DISP_E_BADINDEX;
  try {
    return ModuleTypeInfo(ThisModulePath(), IID_IFiscalDevice, info);
  } catch (...) {
    return E_OUTOFMEMORY;  // the module's path could not be had
  }
}

HRESULT DeviceObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return GetOperationIds(names, count, ids);
}

HRESULT DeviceObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* excepInfo, UINT* argErr) {
  return InvokeOperation(*this, id, flags, params, result, excepInfo, argErr);
}

HRESULT DeviceObject::InterfaceSupportsErrorInfo(REFIID riid) {
  return SameGuid(riid, IID_IFiscalDevice) ? S_OK : S_FALSE;
}

// Each operation: its out value set empty, its arguments checked and passed
// on, whatever escapes turned into a failure status.
#define FISCAL_OPERATION(id, name, out, ...)                                                           \
  HRESULT DeviceObject::name FISCAL_COM_PARAMETERS(out, __VA_ARGS__) {                                 \
    return Run(FISCAL_NAME out, [&] {                                                                  \
      return Pass<FISCAL_ROLE out __VA_OPT__(, ) FISCAL_EACH(FISCAL_ROLE, __VA_ARGS__)>(              \
          OperationId::name, #name, &Device::name __VA_OPT__(, ) FISCAL_EACH(FISCAL_NAME, __VA_ARGS__)); \
    });                                                                                                \
  }
#define FISCAL_COMMAND(id, name, ...)                                                                  \
  HRESULT DeviceObject::name FISCAL_COM_COMMAND_PARAMETERS(__VA_ARGS__) {                              \
    return Guarded([&] {                                                                               \
      Pass<ValueRole::Integer __VA_OPT__(, ) FISCAL_EACH(FISCAL_ROLE, __VA_ARGS__)>(                   \
          OperationId::name, #name, &Device::name __VA_OPT__(, ) FISCAL_EACH(FISCAL_NAME, __VA_ARGS__)); \
    });                                                                                                \
  }
#include "contract/operations.def"
