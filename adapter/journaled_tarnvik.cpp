// Each operation is named by __func__, so its journal line carries the
// method's own name, which is the operation's name in the interface.
#include "adapter/journaled_tarnvik.h"

#include <exception>
#include <string>
#include <type_traits>

#include "adapter/journal_text.h"
#include "platform/on_exit.h"

namespace {

using ::JournalValue;

// The customer's phone or e-mail on its way in: passed on as it is, shown
// masked.
struct Personal {
  const std::string& text;
  operator const std::string&() const { return text; }
};

std::string JournalValue(const Personal& contact) { return JournalValue(Masked(contact.text)); }
std::string JournalValue(const Variant& value) { return JournalValue(value.Ref()); }

template <class... Args>
std::string ArgumentList(const Args&... args) {
  std::string list;
  bool first = true;
  ((list += (first ? "" : ", ") + JournalValue(args), first = false), ...);
  return list;
}

template <JournaledTarnvik::Out kOut, class Value>
std::string OutValue(const Value& value) {
  if constexpr (kOut == JournaledTarnvik::Out::Masked) {
    return JournalValue(Masked(value));
  } else if constexpr (kOut == JournaledTarnvik::Out::Date) {
    return DateText(value);
  } else {
    return JournalValue(value);
  }
}

}  // namespace

template <class Arguments, class Outcome>
void JournaledTarnvik::WriteOperation(const char* operation, Arguments arguments, Outcome outcome) noexcept {
  journal_.Write([&] {
    return journal_.Started() + " " + operation + "(" + arguments() + ")" + outcome() + ", ResultCode " +
           std::to_string(tarnvik_.GetResultCode()) + ", ResultText " + JournalValue(tarnvik_.GetResultText()) + ", " +
           DurationText(journal_.Milliseconds());
  });
}

template <JournaledTarnvik::Out kOut, class Result, class... Params, class... Args>
Result JournaledTarnvik::Logged(const char* operation, Result (TTarnvik::*method)(Params...), const Args&... args) {
  if (!tarnvik_.DebugMode()) return (tarnvik_.*method)(args...);
  journal_.Begin([&] { return tarnvik_.JournalFile(); });
  const OnExit end([&] { journal_.End(); });
  const auto arguments = [&] { return ArgumentList(args...); };
  try {
    if constexpr (std::is_void_v<Result>) {
      (tarnvik_.*method)(args...);
      WriteOperation(operation, arguments, [] { return std::string(); });
    } else {
      Result out = (tarnvik_.*method)(args...);
      WriteOperation(operation, arguments, [&] { return " -> " + OutValue<kOut>(out); });
      return out;
    }
  } catch (...) {
    WriteOperation(operation, arguments, [raised = std::current_exception()] { return " -> " + RaisedText(raised); });
    throw;
  }
}

// An operation the module refused before the register was asked: its line
// says so in place of the arguments, which were never passed on.
void JournaledTarnvik::Refused(const char* operation, const ComError& refusal) noexcept {
  if (!tarnvik_.DebugMode()) return;
  journal_.Begin([&] { return tarnvik_.JournalFile(); });
  WriteOperation(operation, [] { return std::string("refused by the module"); },
                 [&] { return " -> " + RaisedText(std::make_exception_ptr(refusal)); });
  journal_.End();
}

int32_t JournaledTarnvik::GetDeviceStatus() { return Logged(__func__, &TTarnvik::GetDeviceStatus); }
int32_t JournaledTarnvik::GetResultCode() { return Logged(__func__, &TTarnvik::GetResultCode); }
std::string JournaledTarnvik::GetParamDescription(int32_t index) {
  return Logged(__func__, &TTarnvik::GetParamDescription, index);
}
int32_t JournaledTarnvik::GetParamType(int32_t index) { return Logged(__func__, &TTarnvik::GetParamType, index); }
std::string JournaledTarnvik::GetParamName(int32_t index) { return Logged(__func__, &TTarnvik::GetParamName, index); }
int32_t JournaledTarnvik::GetParamCount() { return Logged(__func__, &TTarnvik::GetParamCount); }
Variant JournaledTarnvik::GetParamValue(int32_t index) { return Logged(__func__, &TTarnvik::GetParamValue, index); }
void JournaledTarnvik::SetParamValue(int32_t index, const VARIANT& value) {
  Logged(__func__, &TTarnvik::SetParamValue, index, value);
}
int32_t JournaledTarnvik::CashIn(double sum) { return Logged(__func__, &TTarnvik::CashIn, sum); }
int32_t JournaledTarnvik::CashOut(double sum) { return Logged(__func__, &TTarnvik::CashOut, sum); }
int32_t JournaledTarnvik::Connect() { return Logged(__func__, &TTarnvik::Connect); }
int32_t JournaledTarnvik::TestConnection() { return Logged(__func__, &TTarnvik::TestConnection); }
int32_t JournaledTarnvik::XReport() { return Logged(__func__, &TTarnvik::XReport); }
int32_t JournaledTarnvik::FeedLines(int32_t count) { return Logged(__func__, &TTarnvik::FeedLines, count); }
void JournaledTarnvik::LoadSettings() { Logged(__func__, &TTarnvik::LoadSettings); }
void JournaledTarnvik::SaveSettings() { Logged(__func__, &TTarnvik::SaveSettings); }
OleString JournaledTarnvik::GetResultText() { return Logged(__func__, &TTarnvik::GetResultText); }
void JournaledTarnvik::Disconnect() { Logged(__func__, &TTarnvik::Disconnect); }
OleString JournaledTarnvik::GetSerialNumber() { return Logged(__func__, &TTarnvik::GetSerialNumber); }

int32_t JournaledTarnvik::SaleItem(int32_t department, const std::string& name, double quantity, double price,
                                   int32_t itemType, int32_t paymentMode, int32_t taxType) {
  return Logged(__func__, &TTarnvik::SaleItem, department, name, quantity, price, itemType, paymentMode, taxType);
}

int32_t JournaledTarnvik::SaleItemExt(int32_t department, const std::string& name, double quantity, double price,
                                      int32_t itemType, int32_t paymentMode, int32_t taxType, double discount) {
  return Logged(__func__, &TTarnvik::SaleItemExt, department, name, quantity, price, itemType, paymentMode, taxType,
                discount);
}

int32_t JournaledTarnvik::AddDiscount(double sum) { return Logged(__func__, &TTarnvik::AddDiscount, sum); }
int32_t JournaledTarnvik::Payment(double sum, int32_t kind) { return Logged(__func__, &TTarnvik::Payment, sum, kind); }
int32_t JournaledTarnvik::CloseReceiptAlt() { return Logged(__func__, &TTarnvik::CloseReceiptAlt); }
int32_t JournaledTarnvik::CloseReceipt() { return Logged(__func__, &TTarnvik::CloseReceipt); }

int32_t JournaledTarnvik::ReturnItem(int32_t department, const std::string& name, double quantity, double price,
                                     int32_t itemType, int32_t paymentMode, int32_t taxType) {
  return Logged(__func__, &TTarnvik::ReturnItem, department, name, quantity, price, itemType, paymentMode, taxType);
}

int32_t JournaledTarnvik::ReturnItemExt(int32_t department, const std::string& name, double quantity, double price,
                                        int32_t itemType, int32_t paymentMode, int32_t taxType, double discount) {
  return Logged(__func__, &TTarnvik::ReturnItemExt, department, name, quantity, price, itemType, paymentMode, taxType,
                discount);
}

int32_t JournaledTarnvik::GetLastDocNumber() { return Logged(__func__, &TTarnvik::GetLastDocNumber); }
int32_t JournaledTarnvik::CancelReceipt() { return Logged(__func__, &TTarnvik::CancelReceipt); }
int32_t JournaledTarnvik::AddHeaderLine(const std::string& text) {
  return Logged(__func__, &TTarnvik::AddHeaderLine, text);
}
int32_t JournaledTarnvik::AddFooterLine(const std::string& text) {
  return Logged(__func__, &TTarnvik::AddFooterLine, text);
}
double JournaledTarnvik::GetLastDocSum() { return Logged(__func__, &TTarnvik::GetLastDocSum); }
int32_t JournaledTarnvik::PrintBarcode(const std::string& barcode, int32_t barcodeParam) {
  return Logged(__func__, &TTarnvik::PrintBarcode, barcode, barcodeParam);
}
int32_t JournaledTarnvik::PrintText(const std::string& text) { return Logged(__func__, &TTarnvik::PrintText, text); }
void JournaledTarnvik::ClearFooterLines() { Logged(__func__, &TTarnvik::ClearFooterLines); }
void JournaledTarnvik::ClearHeaderLines() { Logged(__func__, &TTarnvik::ClearHeaderLines); }
DATE JournaledTarnvik::GetLastDocDateTime() { return Logged<Out::Date>(__func__, &TTarnvik::GetLastDocDateTime); }
int32_t JournaledTarnvik::ZReport() { return Logged(__func__, &TTarnvik::ZReport); }
std::string JournaledTarnvik::GetCustomerContact() {
  return Logged<Out::Masked>(__func__, &TTarnvik::GetCustomerContact);
}
void JournaledTarnvik::SetCustomerContact(const std::string& contact) {
  Logged(__func__, &TTarnvik::SetCustomerContact, Personal{contact});
}
int32_t JournaledTarnvik::GetTaxSystem() { return Logged(__func__, &TTarnvik::GetTaxSystem); }
void JournaledTarnvik::SetTaxSystem(int32_t code) { Logged(__func__, &TTarnvik::SetTaxSystem, code); }
