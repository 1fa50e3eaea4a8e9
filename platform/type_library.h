// The type library a module carries: a resource on Windows, registered with
// the module. The Linux modules carry none, so late-bound callers there go
// by name alone.
#pragma once

#include <string_view>

#include "platform/com.h"

// How many type informations a module's object can hand out (0 or 1).
UINT ModuleTypeInfoCount();

// The type information of `iid` from the library of the module at
// `modulePath`, or a failure status.
HRESULT ModuleTypeInfo(std::string_view modulePath, REFIID iid, ITypeInfo** info) noexcept;

// Adds or removes the library's entry in the platform's registry; throws
// ComError.
void RegisterModuleTypeLibrary(std::string_view modulePath);
void UnregisterModuleTypeLibrary(std::string_view modulePath);
