// The identity of the Tarnvik module and the objects its factory creates.
#include <memory>
#include <new>

#include "adapter/journaled_tarnvik.h"
#include "module/device_object.h"
#include "module/module_identity.h"
#include "platform/ansi.h"

namespace {

IUnknown* CreateTarnvik() {
  try {
    return static_cast<IFiscalDevice*>(new DeviceObject(std::make_unique<JournaledTarnvik>()));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

const ModuleIdentity& ThisModule() {
  static const ModuleIdentity identity{
      "Tarnvik",
      "Драйвер АТОЛ"_ansi,
      // {B7689970-3F20-42EC-9995-56829FD9D3A3}
      {0xB7689970, 0x3F20, 0x42EC, {0x99, 0x95, 0x56, 0x82, 0x9F, 0xD9, 0xD3, 0xA3}},
      "",
      &CreateTarnvik,
  };
  return identity;
}
