// The objects the Tarnvik module's factory creates.
#include <memory>
#include <new>

#include "adapter/journaled_tarnvik.h"
#include "module/device_object.h"
#include "module/module_identity.h"

IUnknown* CreateModuleObject() {
  try {
    return static_cast<IFiscalDevice*>(new DeviceObject(std::make_unique<JournaledTarnvik>()));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
