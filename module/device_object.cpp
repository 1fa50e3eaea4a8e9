#include "module/device_object.h"

#include <cmath>
#include <initializer_list>
#include <new>
#include <type_traits>

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

}  // namespace

DeviceObject::DeviceObject(std::unique_ptr<Device> device) : device_(std::move(device)) {}

// Every number argument is money or a quantity that multiplies money. One
// that is not finite would end up in the cash in the drawer and poison every
// later check against it; one beyond the money limit would lose its kopecks.
void DeviceObject::RequireMoney(const char* operation, std::initializer_list<long double> values) {
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

// A line's quantity and price, and its sum, which is money too.
void DeviceObject::RequireLine(const char* operation, double quantity, double price, double discount) {
  RequireMoney(operation, {quantity, price, discount, static_cast<long double>(price) * quantity});
}

HRESULT DeviceObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (SameGuid(riid, IID_IUnknown) || SameGuid(riid, IID_IDispatch) || SameGuid(riid, IID_IFiscalDevice)) {
    *object = static_cast<IFiscalDevice*>(this);
  } else if (SameGuid(riid, IID_ISupportErrorInfo)) {
    *object = static_cast<ISupportErrorInfo*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG DeviceObject::AddRef() { return refs_.Add(); }

ULONG DeviceObject::Release() {
  ULONG left = refs_.Release();
  if (left == 0) delete this;
  return left;
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

HRESULT DeviceObject::GetDeviceStatus(LONG* Result) {
  return Run(Result, [&] { return device_->GetDeviceStatus(); });
}

HRESULT DeviceObject::GetResultCode(LONG* Code) {
  return Run(Code, [&] { return device_->GetResultCode(); });
}

HRESULT DeviceObject::GetParamDescription(LONG Index, BSTR* Description) {
  return Run(Description, [&] { return device_->GetParamDescription(Index); });
}

HRESULT DeviceObject::GetParamType(LONG Index, LONG* Type) {
  return Run(Type, [&] { return device_->GetParamType(Index); });
}

HRESULT DeviceObject::GetParamName(LONG Index, BSTR* Name) {
  return Run(Name, [&] { return device_->GetParamName(Index); });
}

HRESULT DeviceObject::GetParamCount(LONG* Count) {
  return Run(Count, [&] { return device_->GetParamCount(); });
}

HRESULT DeviceObject::GetParamValue(LONG Index, VARIANT* Value) {
  return Run(Value, [&] { return device_->GetParamValue(Index); });
}

HRESULT DeviceObject::SetParamValue(LONG Index, VARIANT Value) {
  return Guarded([&] { device_->SetParamValue(Index, Value); });
}

HRESULT DeviceObject::CashIn(double Sum, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireMoney(operation, {Sum});
    return device_->CashIn(Sum);
  });
}

HRESULT DeviceObject::CashOut(double Sum, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireMoney(operation, {Sum});
    return device_->CashOut(Sum);
  });
}

HRESULT DeviceObject::Connect(LONG* Result) {
  return Run(Result, [&] { return device_->Connect(); });
}

HRESULT DeviceObject::TestConnection(LONG* Result) {
  return Run(Result, [&] { return device_->TestConnection(); });
}

HRESULT DeviceObject::XReport(LONG* Result) {
  return Run(Result, [&] { return device_->XReport(); });
}

HRESULT DeviceObject::FeedLines(LONG Count, LONG* Result) {
  return Run(Result, [&] { return device_->FeedLines(Count); });
}

HRESULT DeviceObject::LoadSettings() {
  return Guarded([&] { device_->LoadSettings(); });
}

HRESULT DeviceObject::SaveSettings() {
  return Guarded([&] { device_->SaveSettings(); });
}

HRESULT DeviceObject::GetResultText(BSTR* Text) {
  return Run(Text, [&] { return device_->GetResultText(); });
}

HRESULT DeviceObject::Disconnect() {
  return Guarded([&] { device_->Disconnect(); });
}

HRESULT DeviceObject::GetSerialNumber(BSTR* SerialNumber) {
  return Run(SerialNumber, [&] { return device_->GetSerialNumber(); });
}

HRESULT DeviceObject::SaleItem(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                               LONG PaymentMode, LONG TaxType, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireLine(operation, Quantity, Price);
    return device_->SaleItem(Department, BstrToAnsi(Name), Quantity, Price, ItemType, PaymentMode, TaxType);
  });
}

HRESULT DeviceObject::SaleItemExt(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                                  LONG PaymentMode, LONG TaxType, double Discount, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireLine(operation, Quantity, Price, Discount);
    return device_->SaleItemExt(Department, BstrToAnsi(Name), Quantity, Price, ItemType, PaymentMode, TaxType,
                                Discount);
  });
}

HRESULT DeviceObject::AddDiscount(double Sum, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireMoney(operation, {Sum});
    return device_->AddDiscount(Sum);
  });
}

HRESULT DeviceObject::Payment(double Sum, LONG Kind, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireMoney(operation, {Sum});
    return device_->Payment(Sum, Kind);
  });
}

HRESULT DeviceObject::CloseReceiptAlt(LONG* Result) {
  return Run(Result, [&] { return device_->CloseReceiptAlt(); });
}

HRESULT DeviceObject::CloseReceipt(LONG* Result) {
  return Run(Result, [&] { return device_->CloseReceipt(); });
}

HRESULT DeviceObject::ReturnItem(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                                 LONG PaymentMode, LONG TaxType, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireLine(operation, Quantity, Price);
    return device_->ReturnItem(Department, BstrToAnsi(Name), Quantity, Price, ItemType, PaymentMode, TaxType);
  });
}

HRESULT DeviceObject::ReturnItemExt(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                                    LONG PaymentMode, LONG TaxType, double Discount, LONG* Result) {
  return Run(Result, [&, operation = __func__] {
    RequireLine(operation, Quantity, Price, Discount);
    return device_->ReturnItemExt(Department, BstrToAnsi(Name), Quantity, Price, ItemType, PaymentMode, TaxType,
                                  Discount);
  });
}

HRESULT DeviceObject::GetLastDocNumber(LONG* Number) {
  return Run(Number, [&] { return device_->GetLastDocNumber(); });
}

HRESULT DeviceObject::CancelReceipt(LONG* Result) {
  return Run(Result, [&] { return device_->CancelReceipt(); });
}

HRESULT DeviceObject::AddHeaderLine(BSTR Text, LONG* Result) {
  return Run(Result, [&] { return device_->AddHeaderLine(BstrToAnsi(Text)); });
}

HRESULT DeviceObject::AddFooterLine(BSTR Text, LONG* Result) {
  return Run(Result, [&] { return device_->AddFooterLine(BstrToAnsi(Text)); });
}

HRESULT DeviceObject::GetLastDocSum(double* Sum) {
  return Run(Sum, [&] { return device_->GetLastDocSum(); });
}

HRESULT DeviceObject::PrintBarcode(BSTR BarcodeText, LONG BarcodeParam, LONG* Result) {
  return Run(Result, [&] { return device_->PrintBarcode(BstrToAnsi(BarcodeText), BarcodeParam); });
}

HRESULT DeviceObject::PrintText(BSTR Text, LONG* Result) {
  return Run(Result, [&] { return device_->PrintText(BstrToAnsi(Text)); });
}

HRESULT DeviceObject::ClearFooterLines() {
  return Guarded([&] { device_->ClearFooterLines(); });
}

HRESULT DeviceObject::ClearHeaderLines() {
  return Guarded([&] { device_->ClearHeaderLines(); });
}

HRESULT DeviceObject::GetLastDocDateTime(DATE* DateTime) {
  return Run(DateTime, [&] { return device_->GetLastDocDateTime(); });
}

HRESULT DeviceObject::ZReport(LONG* Result) {
  return Run(Result, [&] { return device_->ZReport(); });
}

HRESULT DeviceObject::GetCustomerContact(BSTR* Contact) {
  return Run(Contact, [&] { return device_->GetCustomerContact(); });
}

HRESULT DeviceObject::SetCustomerContact(BSTR Contact) {
  return Guarded([&] { device_->SetCustomerContact(BstrToAnsi(Contact)); });
}

HRESULT DeviceObject::GetTaxSystem(LONG* Code) {
  return Run(Code, [&] { return device_->GetTaxSystem(); });
}

HRESULT DeviceObject::SetTaxSystem(LONG Code) {
  return Guarded([&] { device_->SetTaxSystem(Code); });
}
