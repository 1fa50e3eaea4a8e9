// Tarnvik as its module hands it out: TTarnvik, and in debug mode one
// journal line for each operation the host calls, after the lines of the
// driver accesses it made: when it was called, its arguments, its out
// value (or the error it raised), the result code and text it left, and
// how long it took. With debug mode off an operation goes straight through.
#pragma once

#include "adapter/debug_journal.h"
#include "adapter/tarnvik.h"

class JournaledTarnvik final : public Device {
 public:
  // How the journal shows an out value: personal data masked, a date as a date.
  enum class Out { AsItIs, Masked, Date };

  JournaledTarnvik() = default;

  int32_t GetDeviceStatus() override;
  int32_t GetResultCode() override;
  std::string GetParamDescription(int32_t index) override;
  int32_t GetParamType(int32_t index) override;
  std::string GetParamName(int32_t index) override;
  int32_t GetParamCount() override;
  Variant GetParamValue(int32_t index) override;
  void SetParamValue(int32_t index, const VARIANT& value) override;
  int32_t CashIn(double sum) override;
  int32_t CashOut(double sum) override;
  int32_t Connect() override;
  int32_t TestConnection() override;
  int32_t XReport() override;
  int32_t FeedLines(int32_t count) override;
  void LoadSettings() override;
  void SaveSettings() override;
  OleString GetResultText() override;
  void Disconnect() override;
  OleString GetSerialNumber() override;
  int32_t SaleItem(int32_t department, const std::string& name, double quantity, double price, int32_t itemType,
                   int32_t paymentMode, int32_t taxType) override;
  int32_t SaleItemExt(int32_t department, const std::string& name, double quantity, double price, int32_t itemType,
                      int32_t paymentMode, int32_t taxType, double discount) override;
  int32_t AddDiscount(double sum) override;
  int32_t Payment(double sum, int32_t kind) override;
  int32_t CloseReceiptAlt() override;
  int32_t CloseReceipt() override;
  int32_t ReturnItem(int32_t department, const std::string& name, double quantity, double price, int32_t itemType,
                     int32_t paymentMode, int32_t taxType) override;
  int32_t ReturnItemExt(int32_t department, const std::string& name, double quantity, double price, int32_t itemType,
                        int32_t paymentMode, int32_t taxType, double discount) override;
  int32_t GetLastDocNumber() override;
  int32_t CancelReceipt() override;
  int32_t AddHeaderLine(const std::string& text) override;
  int32_t AddFooterLine(const std::string& text) override;
  double GetLastDocSum() override;
  int32_t PrintBarcode(const std::string& barcode, int32_t barcodeParam) override;
  int32_t PrintText(const std::string& text) override;
  void ClearFooterLines() override;
  void ClearHeaderLines() override;
  DATE GetLastDocDateTime() override;
  int32_t ZReport() override;
  std::string GetCustomerContact() override;
  void SetCustomerContact(const std::string& contact) override;
  int32_t GetTaxSystem() override;
  void SetTaxSystem(int32_t code) override;
  void Refused(const char* operation, const ComError& refusal) noexcept override;

 private:
  // Runs `method` with `args` and, in debug mode, writes its line.
  template <Out kOut = Out::AsItIs, class Result, class... Params, class... Args>
  Result Logged(const char* operation, Result (TTarnvik::*method)(Params...), const Args&... args);
  // The operation's line; `outcome()` is " -> " and the out value or the
  // error, or nothing for an operation without out value.
  template <class Arguments, class Outcome>
  void WriteOperation(const char* operation, Arguments arguments, Outcome outcome) noexcept;

  DebugJournal journal_;
  TTarnvik tarnvik_{journal_};
};
