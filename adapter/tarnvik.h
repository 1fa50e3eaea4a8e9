// TTarnvik: the device object of the Tarnvik module. It turns each operation
// into late-bound calls on the ATOL driver object "AddIn.FprnM8", opening the
// driver connection and switching the register on by itself where an
// operation needs it. The receipt being built lives in the register; the
// object keeps only the two fiscal attributes for the next close.
//
// The operations are spread over files by subject: connection.cpp (the
// connection and the register switch), on_demand.cpp (the steps taken around
// an operation's own work), settings.cpp (parameters, settings file, plain
// fields), reports.cpp, receipts.cpp and cash_and_printing.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "adapter/atol_driver.h"
#include "module/device.h"

class TTarnvik final : public Device {
 public:
  // Every driver access goes to `journal` while debug mode has it on.
  explicit TTarnvik(DebugJournal& journal) : FJournal(journal) {}
  // Releases the driver object without switching the register off first:
  // a register left on inside a receipt stays on.
  ~TTarnvik() override = default;

  // Debug mode, and the journal file it writes (module text): a name
  // without a folder lies beside the settings file.
  bool DebugMode() const { return FDebugMode; }
  std::string JournalFile() const;

  // The 42 operations, each defined in the file of its subject.
#include "module/device_overrides.inc"

 private:
  // What an operation does about the connection and the register around its
  // own work. Every operation that talks to the register uses one of the
  // presets in on_demand.cpp.
  enum class Undo { Never, IfDoneHere, Always };
  enum class ErrorsFrom { Nowhere, Work, Start };
  struct ConnectionSteps {
    bool connectWhenClosed;  // false: refuse with "driver not initialised"
    bool switchOn;           // switch the register on when it is off
    Undo switchOff;          // DisableDevice at the end
    Undo disconnect;         // Disconnect at the end
    bool recordResult;       // copy the result into FResultCode at the end
    // The closing steps also run when an error is raised from this point on
    // (then it escapes all the same).
    ErrorsFrom closeAfterError;
  };
  struct Outcome {
    bool workDone;   // false: the steps before the work ended the operation
    int32_t result;  // the work's result, or the code the steps ended with
  };
  using Work = std::function<void(int32_t& out)>;

  // Values the host hands in go to the driver by reference, computed values
  // and constants by value, as the driver has always received them.
  static constexpr bool kByReference = true;

  static const ConnectionSteps kStandalone;
  static const ConnectionSteps kRegisterQuery;
  static const ConnectionSteps kReceiptLine;
  static const ConnectionSteps kPayment;
  static const ConnectionSteps kCloseReceipt;
  static const ConnectionSteps kCancelReceipt;
  static const ConnectionSteps kDriverDialog;

  // The parameters the host sees, one row each: name, type, value access.
  struct ParamInfo;
  static const ParamInfo kParams[];
  static const ParamInfo* FindParam(int32_t index);

  Outcome WithConnection(const ConnectionSteps& steps, const Work& work);

  // Result 1 with "driver not initialised".
  void RefuseWithoutDriver();
  bool EnableDevice();
  void DisableDevice();
  void ShowDriverProperties();
  void CheckDriverResult();

  AtolDriver& Driver();
  bool RegisterOn();
  // Writes Mode and asks the register to enter it; false when refused.
  bool EnterMode(int32_t mode);
  // The out value becomes `code` and the driver's own error text is kept.
  void DriverFailure(int32_t& out, int32_t code);

  int32_t RegisterLine(int32_t checkType, int32_t department, const std::string& name, double quantity, double price,
                       int32_t itemType, int32_t paymentMode, int32_t taxType);
  void WriteAttribute(int32_t tag, Variant value, bool byReference = false, Shown shown = Shown::AsItIs);
  void ResetReceiptAttributes();
  // Reads register 51, the record of the last document, then `take` reads the
  // value wanted from it; nothing is taken without a connection.
  void ReadLastDocument(const std::function<void()>& take);
  std::string SettingsFileName() const;

  DebugJournal& FJournal;
  int32_t FAppHandle = 0;
  std::optional<AtolDriver> FDriver;
  bool FConnected = false;
  bool FDebugMode = false;
  std::string FLogFile = "Tarnvik.log";
  std::string FIniPath;
  std::string FCustomerContact;
  int32_t FTaxSystem = -1;
  int32_t FResultCode = 0;
  // Interface text: a driver's description or a system message may hold
  // any character.
  OleString FResultText;
};
