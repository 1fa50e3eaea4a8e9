// The register the simulator plays: its properties, its mode, the open
// receipt and its counters, and what each method does with them. It knows
// nothing of the component runtime: values arrive already of the member's
// type, and refusals are result codes, as on the real device.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "simulator/documents.h"
#include "simulator/members.h"
#include "simulator/receipt.h"
#include "simulator/refusals.h"
#include "simulator/register_value.h"
#include "simulator/settings.h"
#include "simulator/tape.h"

class FiscalRegister {
 public:
  using SaveCounters = std::function<void(const RegisterCounters&)>;

  FiscalRegister(const RegisterSetup& setup, const RegisterCounters& counters, Tape tape, SaveCounters save);

  RegisterValue Get(Member property) const;
  // Writing DeviceEnabled switches the register on or off.
  void Put(Member property, RegisterValue value);
  // Runs a method; its result code, which ResultCode then also holds.
  long long Call(Member method);
  // A result set up by a test in place of the member's own work.
  long long Refuse(long long code, const std::string& description);

 private:
  using Outcome = std::optional<Refusal>;  // none: success

  Outcome Run(Member method);
  Outcome ReadStatus();
  Outcome SwitchMode();
  Outcome LeaveMode();
  Outcome ReadRegister();
  Outcome OpenReceipt();
  Outcome BeginLine();
  Outcome EndLine();
  Outcome AddPayment();
  Outcome AddAttribute();
  Outcome CloseReceipt();
  Outcome CancelReceipt();
  Outcome MoveCash(CashMovement movement);
  Outcome PrintReport();
  // Into the open receipt, or straight onto the tape when none is open.
  void PrintFree(std::vector<std::string> lines);

  DocumentStamp NextDocument() const;
  // Makes a printed document the register's last and stores the counters.
  void Record(RegisterCounters next, const DocumentStamp& stamp, double sum);
  void SetClockFields(const calendar::DateTime& time);
  calendar::DateTime Now() const;

  long long SetResult(long long code, std::string_view description);
  void Set(Member property, RegisterValue value) { values_[static_cast<std::size_t>(property)] = std::move(value); }
  const RegisterValue& Value(Member property) const { return values_[static_cast<std::size_t>(property)]; }
  long long Int(Member property) const { return std::get<long long>(Value(property)); }
  double Number(Member property) const { return std::get<double>(Value(property)); }
  bool Flag(Member property) const { return std::get<bool>(Value(property)); }
  const std::string& Text(Member property) const { return std::get<std::string>(Value(property)); }

  RegisterSetup setup_;
  RegisterCounters counters_;
  Tape tape_;
  SaveCounters save_;
  std::vector<RegisterValue> values_;  // by member
  long long mode_ = 0;
  std::optional<Receipt> receipt_;
};
