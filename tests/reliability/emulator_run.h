// One emulator object of the loaded Selvane module, driven through random
// operations as a host drives it and checked against the model after every
// step: the out value, the last result and its text, the last-document
// values, the one-shot values, the parameters, the settings it stores and
// the exact bytes the receipt file gained. Any disagreement is reported as
// text, so the same run serves the test suite, the soak and a fuzzer.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "tests/reliability/choices.h"
#include "tests/reliability/emulator_model.h"
#include "tests/support/host_module.h"

// The clock and the locale a run expects (set them in the environment).
inline constexpr const char* kRunClock = "2026-12-08 14:05:09";
inline constexpr const char* kRunLocale = "C";

class EmulatorRun {
 public:
  enum class Mix {
    kEverything,  // any operation, files switched and settings reloaded at random
    kDocuments,   // whole receipts, returns, cash movements and free texts into one file
  };

  // Receipt files go to `folder`; settings to the settings folder of the
  // environment.
  EmulatorRun(const HostModule& module, const std::string& folder, Mix mix);

  // One operation (kEverything) or one whole document (kDocuments) with its
  // checks; empty when everything agreed, else what differed.
  std::string Step(Choices& choices);

  // The receipt file read back from its start: receipt numbers run on one by
  // one, the drawer equals sales less returns plus deposits less
  // withdrawals, and the last receipt is the one the object reports. Only
  // for kDocuments, where nothing else reaches the file.
  std::string CheckLedger();

  const std::string& ReceiptPath() const { return receiptPath_; }
  uint64_t Documents() const { return documents_; }

 private:
  struct Reply {
    HRESULT status;
    Variant out;
  };

  // Operations of the mixed run.
  void SaleLine(Choices& c);
  void ReturnLine(Choices& c);
  void Discount(Choices& c);
  void Pay(Choices& c);
  void Close(Choices& c);
  void Cancel(Choices& c);
  void CashIn(Choices& c);
  void CashOut(Choices& c);
  void PrintText(Choices& c);
  void FeedLines(Choices& c);
  void HeaderOrFooter(Choices& c);
  void OneShotValues(Choices& c);
  void SetParam(Choices& c);
  void Connect(Choices& c);
  void Settings(Choices& c);
  void Query(Choices& c);
  void Unsupported(Choices& c);

  // Connect: the receipt file bound to the current name.
  void Bind();
  // Documents of the soak.
  void Document(Choices& c);

  // `remember`: kept among the last operations shown with a failure.
  Reply Call(std::string_view operation, std::initializer_list<Arg> args = {}, bool remember = true,
             HRESULT expectedStatus = S_OK);
  // Calls a result-code operation and compares its out value, or checks
  // that the interface refuses it.
  void Expect(std::string_view operation, std::initializer_list<Arg> args, Answer expected);
  void Check(bool agreed, const std::string& what);
  // The values every step may have changed, read without recording a result.
  void Observe();
  void CheckStoredSettings();
  ReceiptTarget TargetOf(const std::string& fileName);
  std::string ReadAppended();
  double PaymentFor(Choices& c) const;

  HostDevice device_;
  std::string folder_;
  std::string receiptPath_;
  Mix mix_;
  EmulatorModel model_;
  std::optional<ModelSettings> stored_;
  uint64_t fileOffset_ = 0;
  uint64_t steps_ = 0;
  uint64_t documents_ = 0;
  std::string failure_;
  std::deque<std::string> trail_;  // the last operations, for the report
};
