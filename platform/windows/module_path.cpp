// The file this copy of the platform layer was loaded from: each module
// links its own copy, so the answer is the module itself (or the program,
// for code linked into an executable). Asked for in UTF-16: through the
// code page for non-Unicode programs, a module installed in a Cyrillic
// folder on a system without Cyrillic in that code page would find no
// file of its own.
#include "platform/module_path.h"

#include "platform/codepage.h"
#include "platform/com.h"

std::string ThisModulePath() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&ThisModulePath), &module)) {
    return {};
  }
  // A path longer than the buffer comes back cut to its size: try larger.
  OleString path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return Utf16ToAnsi(OleStringView(path.data(), length));
    path.resize(path.size() * 2);
  }
}
