// The driver connection and switching the register on and off for work.
#include <exception>
#include <string>

#include "adapter/tarnvik.h"
#include "contract/result_codes.h"
#include "platform/ansi.h"

namespace {

constexpr std::string_view kDriverProgId = "AddIn.FprnM8";
constexpr LONG kAckTimeout = 1000;
constexpr LONG kEnqTimeout = 60000;

}  // namespace

AutomationObject& TTarnvik::Driver() { return FDriver.value(); }

bool TTarnvik::RegisterOn() { return Driver().Get("DeviceEnabled").ToBool(); }

int32_t TTarnvik::Connect() {
  int32_t code = result::kOk;
  if (!FConnected) {
    try {
      FDriver.emplace(AutomationObject::Create(kDriverProgId));
      Driver().Put("ACKTimeout", Variant(kAckTimeout));
      Driver().Put("ENQTimeout", Variant(kEnqTimeout));
      if (FAppHandle != 0) Driver().Put("ApplicationHandle", Variant(static_cast<LONG>(FAppHandle)), kByReference);
      FConnected = true;
    } catch (const std::exception& e) {
      // No driver installed, or it refused the set-up: the host sees why.
      code = result::kConnectFailed;
      FResultText = e.what();
    }
  }
  // Also on an open connection: every Connect makes the driver reload its
  // device settings. A failed load closes the connection but keeps the object.
  if (FConnected) {
    if (Driver().Get("LoadDevicesSettings").ToInt() != 0) {
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
  FResultText = "Драйвер не проинициализирован"_ansi;
}

bool TTarnvik::EnableDevice() {
  if (!FConnected) {
    RefuseWithoutDriver();
    return false;
  }
  Driver().Put("DeviceEnabled", Variant(true));
  if (Driver().Get("ResultCode").ToInt() != 0) {
    FResultCode = result::kDriverError;
    CheckDriverResult();
    return false;
  }
  FResultCode = result::kOk;
  return true;
}

void TTarnvik::DisableDevice() {
  if (FConnected && RegisterOn()) Driver().Put("DeviceEnabled", Variant(false));
}

void TTarnvik::CheckDriverResult() {
  // The code comes from the driver's ResultCode, never from the failed
  // method's own result: the two may differ.
  const LONG code = Driver().Get("ResultCode").ToInt();
  std::string text = "ResultCode: " + std::to_string(code) + "\r\n";
  text += Driver().Get("ResultDescription").ToAnsi();
  FResultText = std::move(text);
}

bool TTarnvik::EnterMode(int32_t mode) {
  Driver().Put("Mode", Variant(static_cast<LONG>(mode)));
  return Driver().Get("SetMode").ToInt() == 0;
}

void TTarnvik::DriverFailure(int32_t& out, int32_t code) {
  out = code;
  CheckDriverResult();
}
