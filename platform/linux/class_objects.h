// The class objects registered for this process (CoRegisterClassObject),
// which object creation asks before the class registry.
#pragma once

#include <optional>
#include <string_view>

#include "platform/com_ptr.h"

// The factory registered for `clsid` in this process, or none.
ComPtr<IClassFactory> ProcessClassFactory(const CLSID& clsid);

// The class the registry file names for `progId` (module text), or none.
std::optional<CLSID> RegisteredClassOfProgId(std::string_view progId);
