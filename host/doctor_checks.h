// The checks of `xhw doctor`, each appending what it finds.
#pragma once

#include "host/doctor_findings.h"
#include "host/doctor_identities.h"

// The word sizes of the program and the system; the versions of xhw and
// of the package it came with.
void CheckProgram(const DoctorContext& context, Findings& findings);
// The module's class as hosts of `view` see it: server, file, version,
// ProgID, type library; for the program's own word size, a real object.
void CheckModule(const DoctorModule& module, int view, const DoctorContext& context, Findings& findings);
// Whether hosts may call IFiscalDevice across apartments (the host's own
// registration, reported, never made).
void CheckMarshalling(Findings& findings);
// The register driver "AddIn.FprnM8" as hosts of `view` see it.
void CheckDriver(int view, Findings& findings);
// Where the modules keep their settings, Selvane its receipts and Tarnvik
// its debug journal, and whether those files can be written.
void CheckSettings(Findings& findings);
// Tarnvik's Connect and GetDeviceStatus on the register, then Disconnect.
void CheckRegister(const DoctorContext& context, Findings& findings);

// What installs a module, or the driver's stand-in, for hosts of a word size.
Text InstallModuleFix(int wordSize);
std::string WordSize(int wordSize);
