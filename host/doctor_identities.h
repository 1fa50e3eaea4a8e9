// Who the doctor looks for: the modules, the register driver and the
// simulator that stands in for it, and the packages that install them,
// generated from cmake/Identities.cmake and the build.
#pragma once

#include <string_view>

#include "platform/com.h"

struct DoctorModule {
  std::string_view name;      // Selvane, Tarnvik
  std::string_view fileName;  // the module's file, Selvane.xhw
  CLSID classId;
  std::string_view progId;
  GUID libraryId;
};

struct DoctorIdentities {
  std::string_view version;             // this xhw's, the release's
  std::string_view typeLibraryVersion;  // both libraries' registry key, 1.0
  DoctorModule selvane;
  DoctorModule tarnvik;
  std::string_view driverProgId;  // the maker's driver's, which the simulator takes over
  CLSID simulatorClassId;
  std::string_view simulatorFileName;
  // The till's package of a word size: "Sorvin-Hardware-<version>-<arch>.msi".
  std::string_view hardwarePackage32;
  std::string_view hardwarePackage64;
  std::string_view simulatorPackage32;
  std::string_view simulatorPackage64;
};

const DoctorIdentities& Identities();
