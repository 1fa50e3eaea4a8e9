// FprnM8Sim: a stand-in for the ATOL driver object, registered under the
// driver's own ProgID so the adapter finds it as it would find the driver.
#include "module/module_identity.h"
#include "simulator/register_object.h"

IUnknown* CreateModuleObject() {
  try {
    return static_cast<IDispatch*>(new RegisterObject());
  } catch (...) {
    return nullptr;
  }
}
