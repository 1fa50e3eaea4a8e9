// The objects the Selvane module's factory creates: the emulator's.
#include <memory>
#include <new>

#include "emulator/file_emulator.h"
#include "module/device_object.h"
#include "module/module_identity.h"

IUnknown* CreateModuleObject() {
  try {
    return static_cast<IFiscalDevice*>(new DeviceObject(std::make_unique<TFileEmulator>()));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
