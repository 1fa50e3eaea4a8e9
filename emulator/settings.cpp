#include <iterator>
#include <string>

#include "contract/result_codes.h"
#include "emulator/file_emulator.h"
#include "emulator/settings_values.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/profile.h"

namespace {

constexpr std::string_view kSettingsFile = "Selvane.xhw.ini";
constexpr std::string_view kSection = "GENERAL";

struct ParamInfo {
  std::string_view name;
  int32_t type;
};

constexpr ParamInfo kParams[] = {
    {"Имя файла чеков"_ansi, param_type::kFileName},
    {"Заголовок чека"_ansi, param_type::kText},
    {"Окончание чека"_ansi, param_type::kText},
};
constexpr int32_t kParamCount = static_cast<int32_t>(std::size(kParams));

bool IsParam(int32_t index) { return index >= 0 && index < kParamCount; }

}  // namespace

std::string* TFileEmulator::ParamField(int32_t index) {
  switch (index) {
    case 0:
      return &FFileName;
    case 1:
      return &FTitle;
    case 2:
      return &FBottom;
    default:
      return nullptr;
  }
}

int32_t TFileEmulator::GetParamCount() { return kParamCount; }

std::string TFileEmulator::GetParamName(int32_t index) {
  return IsParam(index) ? std::string(kParams[index].name) : std::string();
}

int32_t TFileEmulator::GetParamType(int32_t index) { return IsParam(index) ? kParams[index].type : param_type::kOther; }

std::string TFileEmulator::GetParamDescription(int32_t) { return {}; }

Variant TFileEmulator::GetParamValue(int32_t index) {
  const std::string* field = ParamField(index);
  return field ? Variant::Text(*field) : Variant();
}

// A new file name takes effect at the next Connect. A value that does not
// convert to text throws before the field is touched.
void TFileEmulator::SetParamValue(int32_t index, const VARIANT& value) {
  if (std::string* field = ParamField(index)) *field = VariantToAnsi(value);
}

// The receipt file stays bound to the old name until the next Connect.
void TFileEmulator::LoadSettings() {
  const ProfileFile settings(kSettingsFile);
  FFileName = settings.ReadString(kSection, "File", "NUL");
  FTitle = settings.ReadString(kSection, "Title", "");
  FBottom = settings.ReadString(kSection, "Bottom", "");
  FLastNumber = ParseReceiptNumber(settings.ReadString(kSection, "Lastnum", "0"));
  FCashInDrawer = ParseCashSum(settings.ReadString(kSection, "Summa", "0"));
}

// One save for all five keys, so the receipt number and the cash are stored
// together or not at all. A write the platform refuses throws: the host gets
// a failure status.
void TFileEmulator::SaveSettings() {
  const std::string number = std::to_string(FLastNumber);
  const std::string cash = FormatCashSum(FCashInDrawer, LocaleDecimalSeparator());
  const ProfileEntry entries[] = {
      {"File", FFileName}, {"Title", FTitle}, {"Bottom", FBottom}, {"Lastnum", number}, {"Summa", cash}};
  ProfileFile(kSettingsFile).WriteStrings(kSection, entries);
}
