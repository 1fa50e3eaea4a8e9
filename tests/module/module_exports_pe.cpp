// The export directory of the module as the system loaded it: every name
// GetProcAddress finds, and every function exported by ordinal alone.
#include <windows.h>

#include <stdexcept>

#include "tests/module/module_exports.h"

std::set<std::string> ExportedNames(const HostModule& module) {
  // Found by an entry point every module has: the path the test loaded it
  // by may be in a form the system keeps under another name.
  HMODULE handle = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCSTR>(module.Symbol("DllGetClassObject")), &handle)) {
    throw std::runtime_error(module.Path() + ": no DllGetClassObject to find the image by");
  }
  const auto* base = reinterpret_cast<const BYTE*>(handle);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::set<std::string> names;
  if (directory.Size == 0) return names;
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
  const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  const auto* nameOrdinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
  const auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
  std::set<DWORD> named;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    names.insert(reinterpret_cast<const char*>(base + nameRvas[i]));
    named.insert(nameOrdinals[i]);
  }
  for (DWORD i = 0; i < exports->NumberOfFunctions; ++i) {
    if (functions[i] != 0 && !named.count(i)) names.insert("#" + std::to_string(exports->Base + i));
  }
  return names;
}
