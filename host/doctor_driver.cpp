// The register driver "AddIn.FprnM8" in one registry view: the maker's
// driver, or our simulator, which must never be what a till prints on.
#include "host/doctor_checks.h"
#include "platform/codepage.h"
#include "platform/installation.h"

namespace {

Text DriverFix() {
  if (!RegistersTypeLibraries()) return {Message::RegisterSimulator, {std::string(Identities().simulatorFileName)}};
  return {Message::InstallDriver};
}

Text SimulatorFix(int wordSize) {
  if (!RegistersTypeLibraries()) return {Message::UnregisterSimulator, {std::string(Identities().simulatorFileName)}};
  return {Message::NeverOnATill,
          {std::string(wordSize == 64 ? Identities().simulatorPackage64 : Identities().simulatorPackage32)}};
}

}  // namespace

void CheckDriver(int view, Findings& findings) {
  const Text what{Message::WhatDriver, {std::string(Identities().driverProgId), WordSize(view)}};
  const std::optional<CLSID> classId = ProgIdClass(Identities().driverProgId);
  const std::optional<ServerRegistration> server =
      classId ? RegisteredServer(*classId, view) : std::optional<ServerRegistration>();
  if (!server) {
    findings.push_back(Problem(what, {Message::DriverNotRegistered, {WordSize(view)}}, DriverFix(), view));
    return;
  }
  const std::string path = AnsiToUtf8(server->path);
  // A local server is a program of its own, which serves hosts of either
  // word size; its registered command line may carry arguments.
  if (!server->inProcess) {
    findings.push_back(Ok(what, {Message::DriverOutOfProcess, {path}}));
    return;
  }
  if (!FileExists(server->path)) {
    findings.push_back(Problem(what, {Message::DriverFileMissing, {path}}, {Message::ReinstallDriver}, view));
    return;
  }
  if (SameGuid(*classId, Identities().simulatorClassId)) {
    findings.push_back(Info(what, {Message::DriverIsSimulator, {path}}, SimulatorFix(view)));
    return;
  }
  findings.push_back(Ok(what, {Message::DriverIsOther, {path, FileVersion(server->path).value_or("?")}}));
}
