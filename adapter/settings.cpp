// Parameters shown to the host, the settings file, the driver's own settings
// dialog, and the operations that only read or write a field.
#include "adapter/tarnvik.h"
#include "contract/result_codes.h"
#include "platform/ansi.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "platform/whole_number.h"

namespace {

enum Param : int32_t { kIniPath, kDebugMode, kLogFile, kAppHandle, kSetupWindow, kParamCount };

constexpr std::string_view kSection = "DEBUG";

}  // namespace

int32_t TTarnvik::GetResultCode() { return FResultCode; }
OleString TTarnvik::GetResultText() { return FResultText; }

std::string TTarnvik::GetCustomerContact() { return FCustomerContact; }
void TTarnvik::SetCustomerContact(const std::string& contact) { FCustomerContact = contact; }
int32_t TTarnvik::GetTaxSystem() { return FTaxSystem; }
// Stored unchecked: the close decides what an unknown code means.
void TTarnvik::SetTaxSystem(int32_t code) { FTaxSystem = code; }

int32_t TTarnvik::GetParamCount() { return kParamCount; }

std::string TTarnvik::GetParamName(int32_t index) {
  switch (index) {
    case kIniPath:
      return "IniPath";
    case kDebugMode:
      return std::string("Режим отладки"_ansi);
    case kLogFile:
      return std::string("Файл журнала"_ansi);
    case kAppHandle:
      return "ApplicationHandle";
    case kSetupWindow:
      return "SetupWindow";
    default:
      return "";
  }
}

int32_t TTarnvik::GetParamType(int32_t index) {
  switch (index) {
    case kIniPath:
      return param_type::kText;
    case kDebugMode:
      return param_type::kSwitch;
    case kLogFile:
      return param_type::kFileName;
    default:
      return param_type::kOther;
  }
}

std::string TTarnvik::GetParamDescription(int32_t) { return ""; }

Variant TTarnvik::GetParamValue(int32_t index) {
  switch (index) {
    case kIniPath:
      return Variant::Text(FIniPath);
    case kDebugMode:
      return Variant(FDebugMode);
    case kLogFile:
      return Variant::Text(FLogFile);
    case kAppHandle:
      return Variant(static_cast<LONG>(FAppHandle));
    default:
      return Variant(static_cast<LONG>(0));
  }
}

void TTarnvik::SetParamValue(int32_t index, const VARIANT& value) {
  // Each value is converted before the field changes, so a value of the
  // wrong kind fails the call and leaves the field as it was.
  switch (index) {
    case kIniPath:
      FIniPath = VariantToAnsi(value);
      break;
    case kDebugMode:
      FDebugMode = VariantToBool(value);
      break;
    case kLogFile:
      FLogFile = VariantToAnsi(value);
      break;
    case kAppHandle:
      FAppHandle = VariantToInt(value);
      break;
    case kSetupWindow:
      ShowDriverProperties();
      break;
    default:
      break;
  }
}

void TTarnvik::ShowDriverProperties() {
  WithConnection(kDriverDialog, [this](int32_t&) {
    Driver().Call("ShowProperties"_member);
    if (Driver().Get("SaveDevicesSettings"_member).ToInt() != 0) {
      FResultCode = result::kDriverError;
      CheckDriverResult();
      FConnected = false;
    }
  });
}

// The folder is glued to the file name as the host gives it: the host is
// expected to end it with a path separator.
std::string TTarnvik::SettingsFileName() const { return FIniPath + "Tarnvik.xhw.ini"; }

std::string TTarnvik::JournalFile() const {
  return InSettingsFolder(HasFolder(FLogFile) ? FLogFile : FIniPath + FLogFile);
}

void TTarnvik::LoadSettings() {
  ProfileFile file(SettingsFileName());
  // A whole number, and on when it is not 0: "1abc", "1.5" or "yes" are off.
  FDebugMode = ParseWholeNumber(file.ReadString(kSection, "DebugMode", "0")).value_or(0) != 0;
  FLogFile = file.ReadString(kSection, "LogFile", FLogFile);
}

void TTarnvik::SaveSettings() {
  const ProfileEntry entries[] = {{"DebugMode", FDebugMode ? "1" : "0"}, {"LogFile", FLogFile}};
  ProfileFile(SettingsFileName()).WriteStrings(kSection, entries);
}
