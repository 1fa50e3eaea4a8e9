// Without the component runtime there are no type libraries to serve or
// register.
#include "platform/type_library.h"

UINT ModuleTypeInfoCount() { return 0; }

HRESULT ModuleTypeInfo(std::string_view, REFIID, ITypeInfo** info) noexcept {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

void RegisterModuleTypeLibrary(std::string_view) {}
void UnregisterModuleTypeLibrary(std::string_view) {}
