// The type library a module carries as its resource (TYPELIB 1), and its
// entry in the system registry. Windows only: elsewhere the modules have no
// type libraries.
#pragma once

#include <string_view>

#include "platform/com.h"
#include "platform/com_ptr.h"
#include "platform/type_library.h"

// The library of the module at `modulePath`; throws ComError.
ComPtr<ITypeLib> LoadModuleTypeLibrary(std::string_view modulePath);

// Registering writes only the library's own keys under
// HKEY_CLASSES_ROOT\TypeLib: the interface that the library's class
// implements belongs to the host, whose registration of it stays untouched.
// A module without a type library (a test server, say) registers none.
