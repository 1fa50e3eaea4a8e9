// Parameters shown to the host, the settings file, the driver's own settings
// dialog, and the operations that only read or write a field.
#include <iterator>

#include "adapter/tarnvik.h"
#include "contract/result_codes.h"
#include "platform/ansi.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "platform/whole_number.h"

namespace {

constexpr std::string_view kSection = "DEBUG";

Variant NoValue(const TTarnvik&) { return Variant(static_cast<LONG>(0)); }

}  // namespace

// Converts the value before the field changes, so a value of the wrong kind
// fails the call and leaves the field as it was.
struct TTarnvik::ParamInfo {
  std::string_view name;
  int32_t type;
  Variant (*get)(const TTarnvik&);
  void (*set)(TTarnvik&, const VARIANT&);
};

const TTarnvik::ParamInfo TTarnvik::kParams[] = {
    {"IniPath", param_type::kText, [](const TTarnvik& t) { return Variant::Text(t.FIniPath); },
     [](TTarnvik& t, const VARIANT& v) { t.FIniPath = VariantToAnsi(v); }},
    {"Режим отладки"_ansi, param_type::kSwitch, [](const TTarnvik& t) { return Variant(t.FDebugMode); },
     [](TTarnvik& t, const VARIANT& v) { t.FDebugMode = VariantToBool(v); }},
    {"Файл журнала"_ansi, param_type::kFileName, [](const TTarnvik& t) { return Variant::Text(t.FLogFile); },
     [](TTarnvik& t, const VARIANT& v) { t.FLogFile = VariantToAnsi(v); }},
    {"ApplicationHandle", param_type::kOther,
     [](const TTarnvik& t) { return Variant(static_cast<LONG>(t.FAppHandle)); },
     [](TTarnvik& t, const VARIANT& v) { t.FAppHandle = VariantToInt(v); }},
    {"SetupWindow", param_type::kOther, NoValue, [](TTarnvik& t, const VARIANT&) { t.ShowDriverProperties(); }},
};

const TTarnvik::ParamInfo* TTarnvik::FindParam(int32_t index) {
  return index >= 0 && index < static_cast<int32_t>(std::size(kParams)) ? &kParams[index] : nullptr;
}

int32_t TTarnvik::GetResultCode() { return FResultCode; }
OleString TTarnvik::GetResultText() { return FResultText; }

std::string TTarnvik::GetCustomerContact() { return FCustomerContact; }
void TTarnvik::SetCustomerContact(const std::string& contact) { FCustomerContact = contact; }
int32_t TTarnvik::GetTaxSystem() { return FTaxSystem; }
// Stored unchecked: the close decides what an unknown code means.
void TTarnvik::SetTaxSystem(int32_t code) { FTaxSystem = code; }

int32_t TTarnvik::GetParamCount() { return static_cast<int32_t>(std::size(kParams)); }

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
  return param ? param->get(*this) : Variant(static_cast<LONG>(0));
}

void TTarnvik::SetParamValue(int32_t index, const VARIANT& value) {
  if (const ParamInfo* param = FindParam(index)) param->set(*this, value);
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
