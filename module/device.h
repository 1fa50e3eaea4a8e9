// What a device class implements: the 42 operations of IFiscalDevice in the
// module's own terms. Texts are Windows-1251, except the result text and the
// serial number, which may come from a driver in any script and so stay
// interface text (UTF-16); the out value is the return value. The frame (DeviceObject) does every conversion at the interface,
// sets out values empty on entry and turns an escaping exception into a
// failure status, so a device class only throws.
#pragma once

#include <cstdint>
#include <string>

#include "platform/error.h"
#include "platform/variant.h"

class Device {
 public:
  virtual ~Device() = default;

  virtual int32_t GetDeviceStatus() = 0;
  virtual int32_t GetResultCode() = 0;
  virtual std::string GetParamDescription(int32_t index) = 0;
  virtual int32_t GetParamType(int32_t index) = 0;
  virtual std::string GetParamName(int32_t index) = 0;
  virtual int32_t GetParamCount() = 0;
  virtual Variant GetParamValue(int32_t index) = 0;
  virtual void SetParamValue(int32_t index, const VARIANT& value) = 0;
  virtual int32_t CashIn(double sum) = 0;
  virtual int32_t CashOut(double sum) = 0;
  virtual int32_t Connect() = 0;
  virtual int32_t TestConnection() = 0;
  virtual int32_t XReport() = 0;
  virtual int32_t FeedLines(int32_t count) = 0;
  virtual void LoadSettings() = 0;
  virtual void SaveSettings() = 0;
  virtual OleString GetResultText() = 0;
  virtual void Disconnect() = 0;
  virtual OleString GetSerialNumber() = 0;
  virtual int32_t SaleItem(int32_t department, const std::string& name, double quantity, double price,
                           int32_t itemType, int32_t paymentMode, int32_t taxType) = 0;
  virtual int32_t SaleItemExt(int32_t department, const std::string& name, double quantity, double price,
                              int32_t itemType, int32_t paymentMode, int32_t taxType, double discount) = 0;
  virtual int32_t AddDiscount(double sum) = 0;
  virtual int32_t Payment(double sum, int32_t kind) = 0;
  virtual int32_t CloseReceiptAlt() = 0;
  virtual int32_t CloseReceipt() = 0;
  virtual int32_t ReturnItem(int32_t department, const std::string& name, double quantity, double price,
                             int32_t itemType, int32_t paymentMode, int32_t taxType) = 0;
  virtual int32_t ReturnItemExt(int32_t department, const std::string& name, double quantity, double price,
                                int32_t itemType, int32_t paymentMode, int32_t taxType, double discount) = 0;
  virtual int32_t GetLastDocNumber() = 0;
  virtual int32_t CancelReceipt() = 0;
  virtual int32_t AddHeaderLine(const std::string& text) = 0;
  virtual int32_t AddFooterLine(const std::string& text) = 0;
  virtual double GetLastDocSum() = 0;
  virtual int32_t PrintBarcode(const std::string& barcode, int32_t barcodeParam) = 0;
  virtual int32_t PrintText(const std::string& text) = 0;
  virtual void ClearFooterLines() = 0;
  virtual void ClearHeaderLines() = 0;
  virtual DATE GetLastDocDateTime() = 0;
  virtual int32_t ZReport() = 0;
  virtual std::string GetCustomerContact() = 0;
  virtual void SetCustomerContact(const std::string& contact) = 0;
  virtual int32_t GetTaxSystem() = 0;
  virtual void SetTaxSystem(int32_t code) = 0;

  // The frame refused an operation's arguments (a number that is not finite
  // or beyond the money limit) and never passed it on: a device that keeps a
  // journal notes it there. Nothing else may happen.
  virtual void Refused(const char* /*operation*/, const ComError& /*refusal*/) noexcept {}
};
