// Parameters shown to the host, the settings file, the driver's own settings
// dialog, and the operations that only read or write a field.
#include <functional>
#include <iterator>

#include "adapter/tarnvik.h"
#include "contract/result_codes.h"
#include "platform/ansi.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "platform/whole_number.h"

namespace {

constexpr std::string_view kSection = "DEBUG";

// What the parameter table reaches of the object: the fields it shows and
// the driver's settings dialog, which setting "SetupWindow" opens.
struct ParamFields {
  std::string& iniPath;
  bool& debugMode;
  std::string& logFile;
  int32_t& appHandle;
  std::function<void()> showDriverProperties;
};

Variant NoValue(const ParamFields&) { return Variant(static_cast<LONG>(0)); }

struct ParamInfo {
  std::string_view name;
  int32_t type;
  Variant (*get)(const ParamFields&);
  // Converts the value before the field changes, so a value of the wrong
  // kind fails the call and leaves the field as it was.
  void (*set)(ParamFields&, const VARIANT&);
};

constexpr ParamInfo kParams[] = {
    {"IniPath", param_type::kText, [](const ParamFields& f) { return Variant::Text(f.iniPath); },
     [](ParamFields& f, const VARIANT& v) { f.iniPath = VariantToAnsi(v); }},
    {"Режим отладки"_ansi, param_type::kSwitch, [](const ParamFields& f) { return Variant(f.debugMode); },
     [](ParamFields& f, const VARIANT& v) { f.debugMode = VariantToBool(v); }},
    {"Файл журнала"_ansi, param_type::kFileName, [](const ParamFields& f) { return Variant::Text(f.logFile); },
     [](ParamFields& f, const VARIANT& v) { f.logFile = VariantToAnsi(v); }},
    {"ApplicationHandle", param_type::kOther,
     [](const ParamFields& f) { return Variant(static_cast<LONG>(f.appHandle)); },
     [](ParamFields& f, const VARIANT& v) { f.appHandle = VariantToInt(v); }},
    {"SetupWindow", param_type::kOther, NoValue, [](ParamFields& f, const VARIANT&) { f.showDriverProperties(); }},
};
constexpr int32_t kParamCount = static_cast<int32_t>(std::size(kParams));

const ParamInfo* FindParam(int32_t index) { return index >= 0 && index < kParamCount ? &kParams[index] : nullptr; }

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
  const ParamInfo* param = FindParam(index);
  return param ? std::string(param->name) : std::string();
}

int32_t TTarnvik::GetParamType(int32_t index) {
  const ParamInfo* param = FindParam(index);
  return param ? param->type : param_type::kOther;
}

std::string TTarnvik::GetParamDescription(int32_t) { return ""; }

Variant TTarnvik::GetParamValue(int32_t index) {
  const ParamInfo* param = FindParam(index);
  return param ? param->get({FIniPath, FDebugMode, FLogFile, FAppHandle, {}}) : Variant(static_cast<LONG>(0));
}

void TTarnvik::SetParamValue(int32_t index, const VARIANT& value) {
  if (const ParamInfo* param = FindParam(index)) {
    ParamFields fields{FIniPath, FDebugMode, FLogFile, FAppHandle, [this] { ShowDriverProperties(); }};
    param->set(fields, value);
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
