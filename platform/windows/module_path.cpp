// The file this copy of the platform layer was loaded from: each module
// links its own copy, so the answer is the module itself (or the program,
// for code linked into an executable).
#include "platform/module_path.h"

#include "platform/com.h"

std::string ThisModulePath() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&ThisModulePath), &module)) {
    return {};
  }
  // A path longer than the buffer comes back cut to its size: try larger.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}
