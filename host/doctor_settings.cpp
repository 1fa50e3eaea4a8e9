// Where the modules keep their files, found the way the modules find them:
// the settings file names given to the profile functions without a folder,
// and the receipt file and debug journal as the modules' own parameters
// name them after LoadSettings.
#include "host/doctor_checks.h"
#include "host/doctor_device.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/file_names.h"
#include "platform/installation.h"

namespace {

// The parameters the doctor reads back after LoadSettings.
constexpr LONG kSelvaneReceiptFile = 0;
constexpr LONG kTarnvikDebugMode = 1;
constexpr LONG kTarnvikLogFile = 2;

// Each module names its settings file after its own file: Selvane.xhw.ini.
std::string SettingsFileOf(const DoctorModule& module) { return std::string(module.fileName) + ".ini"; }

// A settings file is replaced as a whole by a new one beside it, and its
// folder is made when missing.
void CheckSettingsFile(const Text& what, const std::string& path, Findings& findings) {
  const FileAccess access = CheckFileAccess(path, true);
  const std::string shown = AnsiToUtf8(path);
  if (!access.unreadable.empty()) {
    findings.push_back(
        Problem(what, {Message::SettingsUnreadable, {shown, access.unreadable}}, {Message::FixSettingsRights, {shown}}, 0));
  } else if (!access.unwritable.empty()) {
    findings.push_back(
        Problem(what, {Message::SettingsUnwritable, {shown, access.unwritable}}, {Message::FixSettingsRights, {shown}}, 0));
  } else {
    findings.push_back(Ok(what, {access.exists ? Message::SettingsFile : Message::SettingsNotYet, {shown}}));
  }
}

// The module's object with its settings loaded, as a host has it before
// it connects; nothing (and a line saying why) when it cannot be made.
std::optional<RegisteredDevice> LoadedDevice(const DoctorModule& module, const Text& what, Findings& findings) {
  try {
    std::optional<RegisteredDevice> device(std::in_place, module.progId);
    const HRESULT status = (*device)->LoadSettings();
    if (FAILED(status)) throw ComError(status, StatusMessage(status));
    return device;
  } catch (const ComError& failure) {
    findings.push_back(Info(what, {Message::NotReadBecauseNotCreated, {AnsiToUtf8(failure.what())}}));
    return std::nullopt;
  }
}

void CheckReceipts(const DoctorModule& selvane, Findings& findings) {
  const Text what{Message::WhatReceipts};
  const std::optional<RegisteredDevice> device = LoadedDevice(selvane, what, findings);
  if (!device) return;
  const std::string name = device->ParamText(kSelvaneReceiptFile);
  if (SameAsciiName(std::string_view(name), std::string_view("NUL"))) {
    findings.push_back(Info(what, {Message::ReceiptsDiscarded}));
    return;
  }
  const std::string shown = AnsiToUtf8(name);
  // The receipt file is opened for appending where it is; its folder is never made.
  const FileAccess access = CheckFileAccess(name, false);
  if (!access.unwritable.empty()) {
    findings.push_back(Problem(what, {Message::ReceiptsUnwritable, {shown, access.unwritable}}, {Message::FixReceipts}, 0));
  } else {
    findings.push_back(Ok(what, {HasFolder(name) ? Message::ReceiptsFile : Message::ReceiptsRelative, {shown}}));
  }
}

void CheckJournal(const DoctorModule& tarnvik, Findings& findings) {
  const Text what{Message::WhatJournal};
  const std::optional<RegisteredDevice> device = LoadedDevice(tarnvik, what, findings);
  if (!device) return;
  if (!device->ParamSwitch(kTarnvikDebugMode)) {
    findings.push_back(Info(what, {Message::DebugOff}));
    return;
  }
  // With IniPath empty a bare name lies beside the settings file, in the
  // settings folder. A journal that cannot be written is skipped in
  // silence, so this is the one place that tells.
  const std::string path = InSettingsFolder(device->ParamText(kTarnvikLogFile));
  const std::string shown = AnsiToUtf8(path);
  const FileAccess access = CheckFileAccess(path, false);
  if (!access.unwritable.empty()) {
    findings.push_back(
        Problem(what, {Message::JournalUnwritable, {shown, access.unwritable}}, {Message::FixJournal}, kStopsNoHost));
  } else {
    findings.push_back(Ok(what, {Message::JournalWritable, {shown}}));
  }
}

}  // namespace

void CheckSettings(Findings& findings) {
  const DoctorModule& selvane = Identities().selvane;
  const DoctorModule& tarnvik = Identities().tarnvik;
  CheckSettingsFile({Message::WhatSettings, {std::string(selvane.name)}}, InSettingsFolder(SettingsFileOf(selvane)),
                    findings);
  CheckReceipts(selvane, findings);
  const Text tarnvikWhat{Message::WhatSettings, {std::string(tarnvik.name)}};
  const std::string tarnvikSettings = InSettingsFolder(SettingsFileOf(tarnvik));
  findings.push_back(Info(tarnvikWhat, {Message::TarnvikSettings, {AnsiToUtf8(tarnvikSettings)}}));
  CheckSettingsFile(tarnvikWhat, tarnvikSettings, findings);
  CheckJournal(tarnvik, findings);
}
