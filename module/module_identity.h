// What makes one module itself: its names, class id and the objects its
// factory creates. Each deliverable defines ThisModule() once.
#pragma once

#include <string_view>

#include "platform/com.h"

struct ModuleIdentity {
  std::string_view libraryName;  // the type library's name, also the source of error information
  std::string_view displayName;  // Windows-1251, handed out by GetHardwareName
  CLSID classId;
  std::string_view progId;       // registered with the class when not empty
  // A new object with one reference, or null when memory is short.
  IUnknown* (*createObject)();
};

const ModuleIdentity& ThisModule();
