// Registration of component classes and creation by ProgID. On Windows this
// is the system registry and the runtime; on Linux a small INI file stands
// in for it: SORVIN_REGISTRY names it, else registry.ini in SettingsFolder().
// Section [InprocServer32] maps {CLSID} to the module path, section [ProgID]
// maps a ProgID to its {CLSID}.
#pragma once

#include <string>
#include <string_view>

#include "platform/com_ptr.h"
#include "platform/library_handle.h"

// A loaded in-process server, kept loaded while objects from it live.
// On Windows the runtime keeps the module loaded (and unloads it with
// CoFreeUnusedLibraries) and this holds nothing.
using ServerLibrary = LibraryHandle;

// An object created from a server; the library outlives the object.
struct ServerObject {
  ServerLibrary library;
  ComPtr<IDispatch> object;
};

// Registers the class (and the ProgID, when not empty) of the module at
// `modulePath`; throws ComError when the registry cannot be written.
void RegisterServerClass(const CLSID& clsid, std::string_view modulePath, std::string_view progId);
// Removes what RegisterServerClass added; throws ComError on failure.
void UnregisterServerClass(const CLSID& clsid, std::string_view progId);

// ProgID -> class id -> server -> DllGetClassObject -> CreateInstance(IDispatch).
// Throws ComError with the platform's message (CO_E_CLASSSTRING for an
// unknown ProgID, REGDB_E_CLASSNOTREG for an unregistered class, ...).
ServerObject CreateObjectByProgId(std::string_view progId);
