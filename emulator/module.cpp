// The identity of the Selvane module: the emulator's class.
#include <memory>
#include <new>

#include "emulator/file_emulator.h"
#include "module/device_object.h"
#include "module/module_identity.h"
#include "platform/ansi.h"

namespace {

IUnknown* CreateEmulator() {
  try {
    return static_cast<IFiscalDevice*>(new DeviceObject(std::make_unique<TFileEmulator>()));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

const ModuleIdentity& ThisModule() {
  static const ModuleIdentity identity{
      "Selvane", "Эмулятор ККМ"_ansi, {0xAEA0B6CF, 0x6838, 0x4C95, {0xAB, 0x22, 0xA2, 0xAA, 0x30, 0xE7, 0x3F, 0xB1}},
      "",        &CreateEmulator,
  };
  return identity;
}
