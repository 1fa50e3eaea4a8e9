// The steps an operation takes around its own work: open a connection or
// refuse without one, switch the register on, and afterwards put back what
// it changed and record its result. The operations differ only in the
// switches below.
#include "adapter/tarnvik.h"
#include "contract/result_codes.h"

// Reports, cash movements and free printing: work alone, and leave the
// connection and the register as they were found.
const TTarnvik::ConnectionSteps TTarnvik::kStandalone{.connectWhenClosed = true,
                                                      .switchOn = true,
                                                      .switchOff = Undo::IfDoneHere,
                                                      .disconnect = Undo::IfDoneHere,
                                                      .recordResult = true,
                                                      .closeAfterError = ErrorsFrom::Nowhere};

// The last-document queries never open a connection; the work records its
// own result, and a register switched on here is switched off on every way out.
const TTarnvik::ConnectionSteps TTarnvik::kRegisterQuery{.connectWhenClosed = false,
                                                         .switchOn = true,
                                                         .switchOff = Undo::IfDoneHere,
                                                         .disconnect = Undo::Never,
                                                         .recordResult = false,
                                                         .closeAfterError = ErrorsFrom::Work};

// A receipt line leaves the connection open and the register on for the
// next line, the payment and the close.
const TTarnvik::ConnectionSteps TTarnvik::kReceiptLine{.connectWhenClosed = true,
                                                       .switchOn = true,
                                                       .switchOff = Undo::Never,
                                                       .disconnect = Undo::Never,
                                                       .recordResult = true,
                                                       .closeAfterError = ErrorsFrom::Start};

// A payment only makes sense inside a receipt, so it never connects.
const TTarnvik::ConnectionSteps TTarnvik::kPayment{.connectWhenClosed = false,
                                                   .switchOn = true,
                                                   .switchOff = Undo::Never,
                                                   .disconnect = Undo::Never,
                                                   .recordResult = true,
                                                   .closeAfterError = ErrorsFrom::Start};

// The close always switches the register off, whatever happened.
const TTarnvik::ConnectionSteps TTarnvik::kCloseReceipt{.connectWhenClosed = true,
                                                        .switchOn = true,
                                                        .switchOff = Undo::Always,
                                                        .disconnect = Undo::IfDoneHere,
                                                        .recordResult = true,
                                                        .closeAfterError = ErrorsFrom::Work};

// A cancel always drops the connection, also one the host opened.
const TTarnvik::ConnectionSteps TTarnvik::kCancelReceipt{.connectWhenClosed = true,
                                                         .switchOn = true,
                                                         .switchOff = Undo::Never,
                                                         .disconnect = Undo::Always,
                                                         .recordResult = true,
                                                         .closeAfterError = ErrorsFrom::Work};

// The driver's own dialog needs a connection but not the register.
const TTarnvik::ConnectionSteps TTarnvik::kDriverDialog{.connectWhenClosed = true,
                                                        .switchOn = false,
                                                        .switchOff = Undo::Never,
                                                        .disconnect = Undo::IfDoneHere,
                                                        .recordResult = false,
                                                        .closeAfterError = ErrorsFrom::Nowhere};

TTarnvik::Outcome TTarnvik::WithConnection(const ConnectionSteps& steps, const Work& work) {
  const bool wasConnected = FConnected;
  bool wasOn = true;  // until the register is found off
  int32_t out = 0;    // the out value as far as set
  auto closing = [&] {
    if (steps.switchOff == Undo::Always || (steps.switchOff == Undo::IfDoneHere && !wasOn)) DisableDevice();
    if (steps.disconnect == Undo::Always || (steps.disconnect == Undo::IfDoneHere && !wasConnected)) Disconnect();
    if (steps.recordResult) FResultCode = out;
  };

  bool closeOnError = steps.closeAfterError == ErrorsFrom::Start;
  try {
    if (!wasConnected) {
      if (!steps.connectWhenClosed) {
        RefuseWithoutDriver();
        return {false, result::kDriverError};
      }
      out = Connect();
      if (!FConnected) {
        Disconnect();
        return {false, out};
      }
    }
    if (steps.switchOn) {
      wasOn = RegisterOn();
      // EnableDevice has recorded 1 and its text; what was opened stays open.
      if (!wasOn && !EnableDevice()) return {false, result::kDriverError};
    }
    closeOnError = closeOnError || steps.closeAfterError == ErrorsFrom::Work;
    work(out);
  } catch (...) {
    if (closeOnError) closing();
    throw;
  }
  closing();
  return {true, out};
}
