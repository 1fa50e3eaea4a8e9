// The discovery exports through which the host learns the device class.
#include <cstdint>
#include <string>

#include "module/exports.h"
#include "module/module_identity.h"
#include "platform/guid.h"

SORVIN_EXPORT int32_t SORVIN_CALL GetHardwareCount() { return 1; }

SORVIN_EXPORT const char* SORVIN_CALL GetHardwareName(int32_t) { return ThisModule().displayName.data(); }

SORVIN_EXPORT const char* SORVIN_CALL GetHardwareClassString(int32_t) {
  // Formatted once; the text stays valid while the module is loaded.
  static const std::string text = GuidToString(ThisModule().classId);
  return text.c_str();
}
