// The component object the host holds: IFiscalDevice over a Device. This is
// the interface boundary: texts are converted once here, out values are set
// empty on entry, and no exception gets past it.
#pragma once

#include <initializer_list>
#include <memory>
#include <string_view>

#include "contract/fiscal_device.h"
#include "module/device.h"
#include "module/ref_counted.h"

class DeviceObject final : public IFiscalDevice, public ISupportErrorInfo {
 public:
  explicit DeviceObject(std::unique_ptr<Device> device);
  DeviceObject(const DeviceObject&) = delete;
  DeviceObject& operator=(const DeviceObject&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* excepInfo, UINT* argErr) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

  // IFiscalDevice
  HRESULT STDMETHODCALLTYPE GetDeviceStatus(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE GetResultCode(LONG* Code) override;
  HRESULT STDMETHODCALLTYPE GetParamDescription(LONG Index, BSTR* Description) override;
  HRESULT STDMETHODCALLTYPE GetParamType(LONG Index, LONG* Type) override;
  HRESULT STDMETHODCALLTYPE GetParamName(LONG Index, BSTR* Name) override;
  HRESULT STDMETHODCALLTYPE GetParamCount(LONG* Count) override;
  HRESULT STDMETHODCALLTYPE GetParamValue(LONG Index, VARIANT* Value) override;
  HRESULT STDMETHODCALLTYPE SetParamValue(LONG Index, VARIANT Value) override;
  HRESULT STDMETHODCALLTYPE CashIn(double Sum, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE CashOut(double Sum, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE Connect(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE TestConnection(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE XReport(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE FeedLines(LONG Count, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE LoadSettings() override;
  HRESULT STDMETHODCALLTYPE SaveSettings() override;
  HRESULT STDMETHODCALLTYPE GetResultText(BSTR* Text) override;
  HRESULT STDMETHODCALLTYPE Disconnect() override;
  HRESULT STDMETHODCALLTYPE GetSerialNumber(BSTR* SerialNumber) override;
  HRESULT STDMETHODCALLTYPE SaleItem(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                                     LONG PaymentMode, LONG TaxType, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE SaleItemExt(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                                        LONG PaymentMode, LONG TaxType, double Discount, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE AddDiscount(double Sum, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE Payment(double Sum, LONG Kind, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE CloseReceiptAlt(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE CloseReceipt(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE ReturnItem(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                                       LONG PaymentMode, LONG TaxType, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE ReturnItemExt(LONG Department, BSTR Name, double Quantity, double Price, LONG ItemType,
                                          LONG PaymentMode, LONG TaxType, double Discount, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE GetLastDocNumber(LONG* Number) override;
  HRESULT STDMETHODCALLTYPE CancelReceipt(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE AddHeaderLine(BSTR Text, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE AddFooterLine(BSTR Text, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE GetLastDocSum(double* Sum) override;
  HRESULT STDMETHODCALLTYPE PrintBarcode(BSTR BarcodeText, LONG BarcodeParam, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE PrintText(BSTR Text, LONG* Result) override;
  HRESULT STDMETHODCALLTYPE ClearFooterLines() override;
  HRESULT STDMETHODCALLTYPE ClearHeaderLines() override;
  HRESULT STDMETHODCALLTYPE GetLastDocDateTime(DATE* DateTime) override;
  HRESULT STDMETHODCALLTYPE ZReport(LONG* Result) override;
  HRESULT STDMETHODCALLTYPE GetCustomerContact(BSTR* Contact) override;
  HRESULT STDMETHODCALLTYPE SetCustomerContact(BSTR Contact) override;
  HRESULT STDMETHODCALLTYPE GetTaxSystem(LONG* Code) override;
  HRESULT STDMETHODCALLTYPE SetTaxSystem(LONG Code) override;

 private:
  ~DeviceObject() = default;

  // The checks of number arguments; a refusal is shown to the device before
  // it is thrown.
  void RequireMoney(const char* operation, std::initializer_list<long double> values);
  void RequireLine(const char* operation, double quantity, double price, double discount = 0);
  [[noreturn]] void Refuse(const char* operation, std::string_view message);

  RefCount refs_;
  std::unique_ptr<Device> device_;
};
