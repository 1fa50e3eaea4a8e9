// FprnM8Sim: a stand-in for the ATOL driver object, registered under the
// driver's own ProgID so the adapter finds it as it would find the driver.
#include "module/module_identity.h"
#include "platform/ansi.h"
#include "simulator/register_object.h"

namespace {

constexpr CLSID kSimulatorClass = {0x5C7D3F2A, 0x9B41, 0x4E8C, {0xA6, 0xD2, 0x7F, 0x13, 0xB0, 0xC8, 0x4E, 0x95}};

IUnknown* CreateRegister() {
  try {
    return static_cast<IDispatch*>(new RegisterObject());
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

const ModuleIdentity& ThisModule() {
  static const ModuleIdentity identity{"FprnM8Sim", "Симулятор ККМ АТОЛ"_ansi, kSimulatorClass, "AddIn.FprnM8",
                                       &CreateRegister};
  return identity;
}
