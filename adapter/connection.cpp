// The driver connection and switching the register on and off for work.
#include <exception>
#include <string>

#include "adapter/tarnvik.h"
#include "contract/result_codes.h"
#include "platform/codepage.h"
#include "platform/error.h"

namespace {

constexpr LONG kAckTimeout = 1000;
constexpr LONG kEnqTimeout = 60000;

}  // namespace

AtolDriver& TTarnvik::Driver() { return FDriver.value(); }

bool TTarnvik::RegisterOn() { return Driver().Get("DeviceEnabled"_member).ToBool(); }

int32_t TTarnvik::Connect() {
  int32_t code = result::kOk;
  if (!FConnected) {
    try {
      FDriver.emplace(FJournal);
      Driver().Put("ACKTimeout"_member, Variant(kAckTimeout));
      Driver().Put("ENQTimeout"_member, Variant(kEnqTimeout));
      if (FAppHandle != 0)
        Driver().Put("ApplicationHandle"_member, Variant(static_cast<LONG>(FAppHandle)), kByReference);
      FConnected = true;
    } catch (const ComError& e) {
      // No driver installed, or it refused the set-up: the host sees why,
      // in the words of the system or the driver.
      code = result::kConnectFailed;
      FResultText = e.WideMessage();
    } catch (const std::exception& e) {
      code = result::kConnectFailed;
      FResultText = AnsiToUtf16(e.what());
    }
  }
  // Also on an open connection: every Connect makes the driver reload its
  // device settings. A failed load closes the connection but keeps the object.
  if (FConnected) {
    if (Driver().Get("LoadDevicesSettings"_member).ToInt() != 0) {
      code = result::kDriverError;
      CheckDriverResult();
      FConnected = false;
    } else {
      code = result::kOk;
    }
  }
  FResultCode = code;
  return code;
}

void TTarnvik::Disconnect() {
  if (!FConnected) return;
  DisableDevice();
  FDriver.reset();
  FConnected = false;
}

void TTarnvik::RefuseWithoutDriver() {
  FResultCode = result::kDriverError;
  FResultText = OLESTR("Драйвер не проинициализирован");
}

bool TTarnvik::EnableDevice() {
  if (!FConnected) {
    RefuseWithoutDriver();
    return false;
  }
  Driver().Put("DeviceEnabled"_member, Variant(true));
  if (Driver().Get("ResultCode"_member).ToInt() != 0) {
    FResultCode = result::kDriverError;
    CheckDriverResult();
    return false;
  }
  FResultCode = result::kOk;
  return true;
}

void TTarnvik::DisableDevice() {
  if (FConnected && RegisterOn()) Driver().Put("DeviceEnabled"_member, Variant(false));
}

void TTarnvik::CheckDriverResult() {
  // The code comes from the driver's ResultCode, never from the failed
  // method's own result: the two may differ.
  const LONG code = Driver().Get("ResultCode"_member).ToInt();
  OleString text = AnsiToUtf16("ResultCode: " + std::to_string(code) + "\r\n");
  text += Driver().Get("ResultDescription"_member).ToUtf16();
  FResultText = std::move(text);
}

bool TTarnvik::EnterMode(int32_t mode) {
  Driver().Put("Mode"_member, Variant(static_cast<LONG>(mode)));
  return Driver().Get("SetMode"_member).ToInt() == 0;
}

void TTarnvik::DriverFailure(int32_t& out, int32_t code) {
  out = code;
  CheckDriverResult();
}
