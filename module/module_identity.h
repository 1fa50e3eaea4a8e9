// What makes one module itself: its names and class id, generated for each
// deliverable from cmake/Identities.cmake, and the objects its factory
// creates, which each deliverable's module.cpp makes.
#pragma once

#include <string_view>

#include "platform/com.h"

struct ModuleIdentity {
  std::string_view libraryName;  // the type library's name, also the source of error information
  std::string_view displayName;  // Windows-1251, handed out by GetHardwareName
  CLSID classId;
  std::string_view progId;  // registered with the class
};

const ModuleIdentity& ThisModule();

// A new object of the module's class with one reference, or null when
// memory is short.
IUnknown* CreateModuleObject();
