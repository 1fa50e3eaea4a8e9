// The program, the modules' registration in one registry view, and the
// interface's registration for marshalling.
#include "contract/fiscal_device.h"
#include "host/doctor_checks.h"
#include "host/doctor_device.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/file_names.h"
#include "platform/guid.h"
#include "platform/installation.h"
#include "platform/module_path.h"
#include "platform/whole_file.h"

namespace {

std::string_view HardwarePackage(int wordSize) {
  return wordSize == 64 ? Identities().hardwarePackage64 : Identities().hardwarePackage32;
}

// Without a registry of type libraries there are no packages either: a
// module is registered by hand.
bool HasPackages() { return RegistersTypeLibraries(); }

Text ReinstallFix(int wordSize) {
  if (!HasPackages()) return InstallModuleFix(wordSize);
  return {Message::ReinstallPackage, {std::string(HardwarePackage(wordSize))}};
}

// The package's guide (UTF-8) begins with its title and version: "Sorvin Hardware 1.0.0".
std::optional<std::string> PackageBeside(const std::string& program) {
  const std::optional<std::string> guidePath = Beside(program, "INSTALL.txt");
  if (!guidePath) return std::nullopt;
  try {
    const std::optional<std::string> guide = ReadWholeFile(*guidePath);
    if (!guide) return std::nullopt;
    const std::string line = guide->substr(0, guide->find_first_of("\r\n"));
    return line.empty() ? std::nullopt : std::optional<std::string>(line);
  } catch (const ComError&) {
    return std::nullopt;
  }
}

void CheckVersion(const Text& what, const std::string& path, Findings& findings) {
  const std::optional<std::string> version = FileVersion(path);
  if (!version) {
    if (HasPackages()) findings.push_back(Info(what, {Message::NoFileVersion}));
    return;
  }
  const std::string ours(Identities().version);
  const bool same = *version == ours || version->starts_with(ours + ".");
  findings.push_back(same ? Info(what, {Message::FileVersion, {*version}})
                          : Info(what, {Message::FileVersionOther, {*version, ours}}));
}

// The ProgID is shared by both views; the class key's own ProgID is not.
void CheckProgId(const DoctorModule& module, const ServerRegistration& server, bool shared, const Text& what,
                 int view, Findings& findings) {
  const std::string progId(module.progId);
  if (shared) {
    const std::optional<CLSID> named = ProgIdClass(module.progId);
    if (!named) {
      findings.push_back(Problem(what, {Message::ProgIdMissing, {progId}}, ReinstallFix(view), 0));
    } else if (!SameGuid(*named, module.classId)) {
      findings.push_back(
          Problem(what, {Message::ProgIdOtherClass, {progId, GuidToString(*named)}}, ReinstallFix(view), 0));
    } else {
      findings.push_back(Ok(what, {Message::ProgIdFine, {progId}}));
    }
  }
  // Only a registry with class keys of its own names the ProgID there.
  if (HasPackages() && server.progId != progId) {
    findings.push_back(
        Problem(what, {Message::ClassKeyProgId, {AnsiToUtf8(server.progId), progId}}, ReinstallFix(view), view));
  }
}

void CheckTypeLibrary(const DoctorModule& module, int view, const Text& what, Findings& findings) {
  if (!RegistersTypeLibraries()) return;
  const std::string platform = view == 64 ? "win64" : "win32";
  const std::optional<std::string> file =
      TypeLibraryFile(module.libraryId, Identities().typeLibraryVersion, platform);
  if (!file) {
    findings.push_back(Problem(what, {Message::TypeLibraryMissing, {platform}}, ReinstallFix(view), view));
  } else if (!FileExists(*file)) {
    findings.push_back(Problem(what, {Message::TypeLibraryFileMissing, {platform, AnsiToUtf8(*file)}},
                               ReinstallFix(view), view));
  } else {
    findings.push_back(Ok(what, {Message::TypeLibraryFine, {platform, AnsiToUtf8(*file)}}));
  }
}

void CheckCreation(const DoctorModule& module, const Text& what, int view, Findings& findings) {
  try {
    const RegisteredDevice device(module.progId);
    LONG count = 0;
    const HRESULT status = device->GetParamCount(&count);
    if (FAILED(status)) throw ComError(status, StatusMessage(status));
    findings.push_back(Ok(what, {Message::Created, {std::to_string(count)}}));
  } catch (const ComError& failure) {
    findings.push_back(Problem(what, {Message::NotCreated, {AnsiToUtf8(failure.what())}}, ReinstallFix(view), view));
  }
}

}  // namespace

std::string WordSize(int wordSize) { return std::to_string(wordSize); }

Text InstallModuleFix(int wordSize) {
  if (!HasPackages()) return {Message::RegisterModule, {}};
  return {Message::InstallPackage, {std::string(HardwarePackage(wordSize))}};
}

void CheckProgram(const DoctorContext& context, Findings& findings) {
  findings.push_back(Info({Message::WhatSystem},
                          {Message::ProgramWordSize,
                           {WordSize(context.programWordSize), WordSize(context.systemWordSize)}}));
  findings.push_back(Info({Message::WhatXhw}, {Message::XhwVersion, {std::string(Identities().version)}}));
  const std::optional<std::string> package = PackageBeside(ThisModulePath());
  findings.push_back(package ? Info({Message::WhatPackage}, {Message::PackageVersion, {*package}})
                             : Info({Message::WhatPackage}, {Message::NoPackage}));
}

void CheckModule(const DoctorModule& module, int view, const DoctorContext& context, Findings& findings) {
  const std::string name(module.name);
  const Text what{Message::WhatModule, {name, WordSize(view)}};
  const std::optional<ServerRegistration> server = RegisteredServer(module.classId, view);
  if (!server) {
    findings.push_back(
        Problem(what, {Message::ClassNotRegistered, {WordSize(view), name}}, InstallModuleFix(view), view));
    return;
  }
  const std::string path = AnsiToUtf8(server->path);
  if (server->path.empty()) {
    findings.push_back(Problem(what, {Message::ServerEmpty}, ReinstallFix(view), view));
    return;
  }
  if (!FileExists(server->path)) {
    findings.push_back(Problem(what, {Message::ServerMissing, {path}}, ReinstallFix(view), view));
    return;
  }
  findings.push_back(Ok(what, {Message::ClassRegistered, {path}}));
  CheckVersion(what, server->path, findings);
  const bool ownView = view == context.programWordSize;
  CheckProgId(module, *server, ownView, what, view, findings);
  CheckTypeLibrary(module, view, what, findings);
  if (ownView) {
    CheckCreation(module, what, view, findings);
  } else {
    findings.push_back(Info(what, {Message::OtherWordSizeCreation, {WordSize(view)}}));
  }
}

void CheckMarshalling(Findings& findings) {
  if (!RegistersTypeLibraries()) return;
  const Text what{Message::WhatInterface};
  const std::optional<std::string> proxy = InterfaceProxy(IID_IFiscalDevice);
  findings.push_back(proxy ? Ok(what, {Message::InterfaceRegistered, {AnsiToUtf8(*proxy)}})
                           : Info(what, {Message::InterfaceNotRegistered}, {Message::InterfaceIsTheHosts}));
}
