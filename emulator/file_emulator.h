// TFileEmulator: a cash register without hardware. It keeps the receipt
// being built in memory and, at the close, appends it as text laid out like
// a printed receipt to the receipt file; cash movements and free text go to
// the same file. The receipt number and the cash in the drawer live in the
// object and reach the settings file only through SaveSettings.
//
// The operations are spread over files by subject: file_emulator.cpp (the
// receipt file, connection, queries and result), settings.cpp (parameters
// and the settings file), receipt_model.cpp (lines, discount, payment,
// cancel), receipt_close.cpp and cash_and_printing.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/receipt_item.h"
#include "module/device.h"
#include "platform/text_file.h"

class TFileEmulator final : public Device {
 public:
  TFileEmulator() = default;
  // The receipt file, if FeedLines left it open, is closed by its own end.
  ~TFileEmulator() override = default;

  // The 42 operations, each defined in the file of its subject.
#include "module/device_overrides.inc"

 private:
  // Keeps a result as the last one where result_rules.cpp says so.
  void Finished(OperationId operation, int32_t result) noexcept override;
  // Opens the receipt file for appending (creating it when missing); gives
  // 0, or 3 with the file error.
  int32_t OpenReceiptFile();
  // Appends one block (cash movement, text) in a file of its own opening;
  // gives 0, or 3 or 8 with the file error.
  int32_t AppendBlock(const std::string& block);
  // Gives `code`, with `text` as the failure's text.
  int32_t Fail(int32_t code, std::string_view text);
  // The answer to an operation the emulator does not support.
  int32_t NotSupported();
  // Empties the receipt model, as a cancel or a successful close does.
  void ResetReceipt();
  // The three parts of a close: the payment and the cash against the total
  // (0, or 7 or 8 recorded); the text of the receipt; its checked write and,
  // once it is in the file, the new counters.
  int32_t CheckReceiptSums(bool isSale, long double total);
  std::string ReceiptText(bool isSale, long double total, int32_t number, std::string_view dateTime) const;
  int32_t WriteReceipt(const std::string& text, double signedTotal, DATE now, int32_t number);
  // The drawer, a receipt's total and its discount stay within the money
  // limit, where every kopeck still counts; beyond it the operation is
  // refused as an argument out of range is, before anything changes.
  static void RequireBalanceWithinLimit(long double balance);
  // The text field behind parameter `index`, or null for any other index.
  std::string* ParamField(int32_t index);

  double FPaymentSum = 0;
  int32_t FPaymentKind = 0;
  int32_t FResultCode = 0;
  std::string FResultText;
  double FCashInDrawer = 0;
  int32_t FLastNumber = 0;
  std::string FTitle;
  std::string FBottom;
  double FLastReceiptSum = 0;
  double FDiscountSum = 0;
  DATE FLastDateTime = 0;
  std::string FFileName = "nul";
  TextFile FReceiptFile;  // not bound until Connect
  TMyArray FSaleItems;
  TMyArray FReturnItems;
  std::vector<std::string> FFooterLines;
  std::vector<std::string> FHeaderLines;
  std::string FCustomerContact;
  int32_t FTaxSystem = -1;
};
