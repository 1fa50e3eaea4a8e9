// IFiscalDevice: the host's interface to a fiscal device. A dual interface:
// IUnknown and IDispatch first, then the 42 operations in this fixed slot
// order. Each returns a status; its business value comes back through the
// last argument.
#pragma once

#include "platform/com.h"

inline constexpr IID IID_IFiscalDevice = {
    0x14216C35, 0xAF7C, 0x4C5D, {0xB2, 0xAA, 0x59, 0xCC, 0xF9, 0xA2, 0xEE, 0xD1}};

// The host's type library that defines the interface.
inline constexpr GUID LIBID_SorvinTradeHardware = {
    0xADF57D07, 0x18BA, 0x4F03, {0x87, 0x95, 0xCA, 0x91, 0xC8, 0x3B, 0xC1, 0x50}};

struct IFiscalDevice : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE GetDeviceStatus(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResultCode(LONG* Code) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParamDescription(LONG Index, BSTR* Description) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParamType(LONG Index, LONG* Type) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParamName(LONG Index, BSTR* Name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParamCount(LONG* Count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParamValue(LONG Index, VARIANT* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetParamValue(LONG Index, VARIANT Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE CashIn(double Sum, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CashOut(double Sum, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE Connect(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE TestConnection(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE XReport(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE FeedLines(LONG Count, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE LoadSettings() = 0;
  virtual HRESULT STDMETHODCALLTYPE SaveSettings() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetResultText(BSTR* Text) = 0;
  virtual HRESULT STDMETHODCALLTYPE Disconnect() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSerialNumber(BSTR* SerialNumber) = 0;
  virtual HRESULT STDMETHODCALLTYPE SaleItem(LONG Department, BSTR Name, double Quantity, double Price,
                                             LONG ItemType, LONG PaymentMode, LONG TaxType, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE SaleItemExt(LONG Department, BSTR Name, double Quantity, double Price,
                                                LONG ItemType, LONG PaymentMode, LONG TaxType, double Discount,
                                                LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddDiscount(double Sum, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE Payment(double Sum, LONG Kind, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CloseReceiptAlt(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE CloseReceipt(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReturnItem(LONG Department, BSTR Name, double Quantity, double Price,
                                               LONG ItemType, LONG PaymentMode, LONG TaxType, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReturnItemExt(LONG Department, BSTR Name, double Quantity, double Price,
                                                  LONG ItemType, LONG PaymentMode, LONG TaxType, double Discount,
                                                  LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLastDocNumber(LONG* Number) = 0;
  virtual HRESULT STDMETHODCALLTYPE CancelReceipt(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddHeaderLine(BSTR Text, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddFooterLine(BSTR Text, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLastDocSum(double* Sum) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrintBarcode(BSTR BarcodeText, LONG BarcodeParam, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrintText(BSTR Text, LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE ClearFooterLines() = 0;
  virtual HRESULT STDMETHODCALLTYPE ClearHeaderLines() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetLastDocDateTime(DATE* DateTime) = 0;
  virtual HRESULT STDMETHODCALLTYPE ZReport(LONG* Result) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCustomerContact(BSTR* Contact) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCustomerContact(BSTR Contact) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTaxSystem(LONG* Code) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetTaxSystem(LONG Code) = 0;
};
