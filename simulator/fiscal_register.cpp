#include "simulator/fiscal_register.h"

#include <algorithm>
#include <cmath>

#include "adapter/register_codes.h"
#include "platform/clock.h"
#include "simulator/number_text.h"
#include "simulator/simulator_error.h"

namespace {

// Payments are compared with the total to within half a kopeck.
constexpr double kTolerance = 0.005;
using register_code::kLastDocumentRegister;
using register_code::kRegistrationMode;
using register_code::kXReport;
using register_code::kXReportMode;
using register_code::kZReport;
using register_code::kZReportMode;
constexpr long long kHighestMode = 5;
constexpr long long kHighestPaymentType = 9;

RegisterValue DefaultValue(const MemberInfo& info) {
  if (info.kind == MemberKind::Method) return {};
  switch (info.type) {
    case ValueType::Integer:
      return 0LL;
    case ValueType::Float:
      return 0.0;
    case ValueType::Boolean:
      return false;
    case ValueType::Text:
      return std::string();
    case ValueType::IntegerOrText:
      return {};
  }
  return {};
}

bool IsAmount(double value) { return std::isfinite(value) && value >= 0; }

// An attribute value as printed; empty when writing it clears the attribute.
std::string AttributeValue(const RegisterValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<long long>(&value)) return *number == 0 ? "" : std::to_string(*number);
  return "";
}

// Methods that talk to the register need it switched on; the driver's own
// settings are handled without it.
bool NeedsDevice(Member method) {
  return method != Member::LoadDevicesSettings && method != Member::SaveDevicesSettings &&
         method != Member::ShowProperties;
}

}  // namespace

FiscalRegister::FiscalRegister(const RegisterSetup& setup, const RegisterCounters& counters, Tape tape,
                               SaveCounters save)
    : setup_(setup), counters_(counters), tape_(std::move(tape)), save_(std::move(save)) {
  for (const MemberInfo& info : AllMembers()) values_.push_back(DefaultValue(info));
  Set(Member::SerialNumber, setup_.serialNumber);
  Set(Member::ROMVersion, setup_.romVersion);
  Set(Member::Version, setup_.version);
  Set(Member::ResultDescription, std::string(kNoError));
}

RegisterValue FiscalRegister::Get(Member property) const {
  if (property == Member::CheckState) return receipt_ ? static_cast<long long>(receipt_->kind) : 0LL;
  return Value(property);
}

void FiscalRegister::Put(Member property, RegisterValue value) {
  Set(property, std::move(value));
  if (property == Member::DeviceEnabled) SetResult(0, kNoError);
}

long long FiscalRegister::Call(Member method) {
  Outcome outcome = NeedsDevice(method) && !Flag(Member::DeviceEnabled) ? Refusal::DeviceOff : Run(method);
  if (!outcome) return SetResult(0, kNoError);
  const RefusalInfo& refusal = InfoOf(*outcome);
  return SetResult(refusal.code, refusal.description);
}

long long FiscalRegister::Refuse(long long code, const std::string& description) {
  return SetResult(code, description);
}

long long FiscalRegister::SetResult(long long code, std::string_view description) {
  Set(Member::ResultCode, code);
  Set(Member::ResultDescription, std::string(description));
  return code;
}

FiscalRegister::Outcome FiscalRegister::Run(Member method) {
  switch (method) {
    case Member::GetStatus:
      return ReadStatus();
    case Member::SetMode:
      return SwitchMode();
    case Member::ResetMode:
      return LeaveMode();
    case Member::GetRegister:
      return ReadRegister();
    case Member::OpenCheck:
      return OpenReceipt();
    case Member::BeginItem:
      return BeginLine();
    case Member::EndItem:
      return EndLine();
    case Member::Payment:
      return AddPayment();
    case Member::WriteAttribute:
      return AddAttribute();
    case Member::CloseCheck:
      return CloseReceipt();
    case Member::CancelCheck:
      return CancelReceipt();
    case Member::CashIncome:
      return MoveCash(CashMovement::In);
    case Member::CashOutcome:
      return MoveCash(CashMovement::Out);
    case Member::Report:
      return PrintReport();
    case Member::PrintString:
      PrintFree({Text(Member::Caption)});
      return {};
    case Member::PrintBarcode:
      PrintFree({BarcodeText(Text(Member::Barcode), Int(Member::BarcodeType))});
      return {};
    // The driver's own settings, its dialog and the beep have nothing to simulate.
    case Member::LoadDevicesSettings:
    case Member::SaveDevicesSettings:
    case Member::ShowProperties:
    case Member::Beep:
      return {};
    default:
      // A method added to the member table but not to the register must
      // not pass for one that worked.
      throw SimulatorError("Метод не поддерживается симулятором: " + std::string(InfoOf(method).name));
  }
}

FiscalRegister::Outcome FiscalRegister::ReadStatus() {
  Set(Member::Fiscal, setup_.fiscal);
  Set(Member::Is54FZ, setup_.is54FZ);
  Set(Member::CheckPaperPresent, setup_.checkPaperPresent);
  Set(Member::ControlPaperPresent, setup_.controlPaperPresent);
  Set(Member::CoverOpened, setup_.coverOpened);
  SetClockFields(Now());
  return {};
}

FiscalRegister::Outcome FiscalRegister::SwitchMode() {
  long long mode = Int(Member::Mode);
  if (mode < 0 || mode > kHighestMode) return Refusal::BadMode;
  if (receipt_ && mode != kRegistrationMode) return Refusal::ModeLocked;
  mode_ = mode;
  return {};
}

FiscalRegister::Outcome FiscalRegister::LeaveMode() {
  if (receipt_) return Refusal::ModeLocked;
  mode_ = 0;
  return {};
}

FiscalRegister::Outcome FiscalRegister::ReadRegister() {
  if (Int(Member::RegisterNumber) != kLastDocumentRegister) return Refusal::BadRegister;
  Set(Member::DocNumber, counters_.docNumber);
  Set(Member::Summ, counters_.lastDocSum);
  // No document yet: all date fields 0.
  SetClockFields(counters_.lastDocDate.value_or(calendar::DateTime{}));
  return {};
}

FiscalRegister::Outcome FiscalRegister::OpenReceipt() {
  if (mode_ != kRegistrationMode) return Refusal::WrongMode;
  if (receipt_) return Refusal::ReceiptOpen;
  long long type = Int(Member::CheckType);
  if (type != static_cast<long long>(ReceiptKind::Sale) && type != static_cast<long long>(ReceiptKind::Return)) {
    return Refusal::BadValue;
  }
  receipt_.emplace(static_cast<ReceiptKind>(type));
  return {};
}

FiscalRegister::Outcome FiscalRegister::BeginLine() {
  if (!receipt_) return Refusal::NoReceipt;
  receipt_->itemBegun = true;
  return {};
}

FiscalRegister::Outcome FiscalRegister::EndLine() {
  if (!receipt_) return Refusal::NoReceipt;
  if (!receipt_->itemBegun) return Refusal::ItemNotBegun;
  ItemLine item{Text(Member::Name),      Number(Member::Price), Number(Member::Quantity), Number(Member::Summ),
                Int(Member::Department), Int(Member::ItemType), Int(Member::PaymentMode), Int(Member::TaxTypeNumber)};
  if (!IsAmount(item.price) || !IsAmount(item.sum) || !(item.quantity > 0) || !std::isfinite(item.quantity)) {
    return Refusal::BadValue;
  }
  // The register keeps money in kopecks: a line's sum is rounded once, here,
  // so the total is the sum of the printed line sums.
  item.sum = ToKopecks(item.sum);
  std::vector<std::string> text = ItemText(item);
  receipt_->body.insert(receipt_->body.end(), text.begin(), text.end());
  receipt_->total = ToKopecks(receipt_->total + item.sum);
  receipt_->itemBegun = false;
  return {};
}

FiscalRegister::Outcome FiscalRegister::AddPayment() {
  if (!receipt_) return Refusal::NoReceipt;
  double sum = Number(Member::Summ);
  long long type = Int(Member::TypeClose);
  if (!IsAmount(sum) || ToKopecks(sum) == 0 || type < 0 || type > kHighestPaymentType) return Refusal::BadValue;
  receipt_->payments.push_back({type, ToKopecks(sum)});
  return {};
}

FiscalRegister::Outcome FiscalRegister::AddAttribute() {
  if (!receipt_) return Refusal::NoReceipt;
  long long tag = Int(Member::AttrNumber);
  if (tag <= 0) return Refusal::BadValue;
  // Writing an empty text or 0 takes the attribute back out of the receipt.
  std::string value = AttributeValue(Value(Member::AttrValue));
  if (value.empty()) {
    receipt_->attributes.erase(tag);
  } else {
    receipt_->attributes[tag] = value;
  }
  return {};
}

FiscalRegister::Outcome FiscalRegister::CloseReceipt() {
  if (!receipt_) return Refusal::NoReceipt;
  const Receipt& receipt = *receipt_;
  double paid = receipt.Paid();
  if (paid < receipt.total - kTolerance) return Refusal::PaymentShort;
  // Change is given in cash only, so cashless payments may not exceed the total.
  if (paid - receipt.PaidInCash() > receipt.total + kTolerance) return Refusal::CashlessOverpaid;
  double change = ToKopecks(std::max(0.0, paid - receipt.total));
  // Only the cash part of the payments moves through the drawer.
  double cashMoved = ToKopecks(receipt.PaidInCash() - change);
  RegisterCounters next = counters_;
  if (receipt.kind == ReceiptKind::Sale) {
    next.cash = ToKopecks(next.cash + cashMoved);
  } else {
    if (cashMoved > next.cash + kTolerance) return Refusal::CashShort;
    next.cash = ToKopecks(next.cash - cashMoved);
  }
  next.shiftOpen = true;
  DocumentStamp stamp = NextDocument();
  tape_.Print(ClosedReceipt(receipt, change, stamp));
  double total = receipt.total;
  receipt_.reset();
  Record(next, stamp, total);
  return {};
}

FiscalRegister::Outcome FiscalRegister::CancelReceipt() {
  // Nothing open: nothing to cancel, and nothing wrong with that.
  if (!receipt_) return {};
  // The printer starts a receipt with its first line; an empty one left no trace.
  if (!receipt_->body.empty()) tape_.Print(CancelledReceipt(*receipt_));
  receipt_.reset();
  return {};
}

FiscalRegister::Outcome FiscalRegister::MoveCash(CashMovement movement) {
  if (mode_ != kRegistrationMode) return Refusal::WrongMode;
  if (receipt_) return Refusal::ReceiptOpen;
  double sum = Number(Member::Summ);
  if (!IsAmount(sum) || ToKopecks(sum) == 0) return Refusal::BadValue;
  sum = ToKopecks(sum);
  RegisterCounters next = counters_;
  if (movement == CashMovement::Out) {
    if (sum > next.cash + kTolerance) return Refusal::CashShort;
    next.cash = ToKopecks(next.cash - sum);
  } else {
    next.cash = ToKopecks(next.cash + sum);
  }
  next.shiftOpen = true;
  DocumentStamp stamp = NextDocument();
  tape_.Print(CashDocument(movement, sum, next.cash, stamp));
  Record(next, stamp, sum);
  return {};
}

FiscalRegister::Outcome FiscalRegister::PrintReport() {
  long long type = Int(Member::ReportType);
  if (type == kXReport) {
    if (mode_ != kXReportMode) return Refusal::WrongMode;
    tape_.Print(XReport(counters_.shiftOpen, counters_.cash, Now()));
    return {};
  }
  if (type != kZReport) return Refusal::BadReportType;
  if (mode_ != kZReportMode) return Refusal::WrongMode;
  RegisterCounters next = counters_;
  next.shiftOpen = false;
  DocumentStamp stamp = NextDocument();
  tape_.Print(ZReport(next.cash, stamp));
  Record(next, stamp, 0);
  return {};
}

void FiscalRegister::PrintFree(std::vector<std::string> lines) {
  if (receipt_) {
    receipt_->body.insert(receipt_->body.end(), lines.begin(), lines.end());
  } else {
    tape_.Print(lines);
  }
}

DocumentStamp FiscalRegister::NextDocument() const { return {counters_.docNumber + 1, Now()}; }

void FiscalRegister::Record(RegisterCounters next, const DocumentStamp& stamp, double sum) {
  next.docNumber = stamp.number;
  next.lastDocSum = sum;
  next.lastDocDate = stamp.time;
  counters_ = next;
  save_(counters_);
}

void FiscalRegister::SetClockFields(const calendar::DateTime& time) {
  Set(Member::Year, static_cast<long long>(time.year));
  Set(Member::Month, static_cast<long long>(time.month));
  Set(Member::Day, static_cast<long long>(time.day));
  Set(Member::Hour, static_cast<long long>(time.hour));
  Set(Member::Minute, static_cast<long long>(time.minute));
  Set(Member::Second, static_cast<long long>(time.second));
}

calendar::DateTime FiscalRegister::Now() const {
  if (setup_.fixedClock) return *setup_.fixedClock;
  // The computer's clock reads a date of the years 1 to 9999; were it ever
  // not to, the register would read all zeros, as before its first document.
  return calendar::FromOleDate(LocalNow()).value_or(calendar::DateTime{});
}
