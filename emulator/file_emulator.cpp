#include "emulator/file_emulator.h"

#include "contract/result_codes.h"
#include "emulator/messages.h"
#include "module/money.h"
#include "platform/codepage.h"
#include "platform/error.h"

int32_t TFileEmulator::OpenReceiptFile() {
  // OpenAppend creates a missing file and never truncates one, so both ways
  // of opening a receipt file are one call.
  if (FReceiptFile.OpenAppend()) return result::kOk;
  return Fail(result::kModeOrFileError, message::kFileError);
}

int32_t TFileEmulator::AppendBlock(const std::string& block) {
  if (const int32_t code = OpenReceiptFile(); code != result::kOk) return code;
  // One unbuffered write: when it fails, the bytes before the failing one
  // are in the file, and the failure is reported whichever line it hit.
  bool written = FReceiptFile.Write(block);
  FReceiptFile.Close();
  return written ? result::kOk : Fail(result::kRefused, message::kFileError);
}

void TFileEmulator::RequireBalanceWithinLimit(long double balance) {
  if (!WithinMoneyLimit(balance)) throw ComError(E_INVALIDARG, std::string(kBalanceBeyondLimit));
}

int32_t TFileEmulator::Fail(int32_t code, std::string_view text) {
  FResultText = text;
  return code;
}

int32_t TFileEmulator::Connect() {
  FReceiptFile.Assign(FFileName);
  return result::kOk;
}

// The binding stays: writing operations keep working after it.
void TFileEmulator::Disconnect() {}

int32_t TFileEmulator::GetResultCode() { return FResultCode; }

// The text of a failure shows only while its code is the last result.
OleString TFileEmulator::GetResultText() { return FResultCode != result::kOk ? AnsiToUtf16(FResultText) : OleString(); }

OleString TFileEmulator::GetSerialNumber() {
  return AnsiToUtf16("Sorvin_emulator");
}

int32_t TFileEmulator::TestConnection() { return result::kOk; }

int32_t TFileEmulator::GetDeviceStatus() { return result::kOk; }

int32_t TFileEmulator::GetLastDocNumber() {
  return FLastNumber;
}

double TFileEmulator::GetLastDocSum() {
  return FLastReceiptSum;
}

DATE TFileEmulator::GetLastDocDateTime() { return FLastDateTime; }

std::string TFileEmulator::GetCustomerContact() { return FCustomerContact; }

void TFileEmulator::SetCustomerContact(const std::string& contact) { FCustomerContact = contact; }

int32_t TFileEmulator::GetTaxSystem() { return FTaxSystem; }

void TFileEmulator::SetTaxSystem(int32_t code) { FTaxSystem = code; }
