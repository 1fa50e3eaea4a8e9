// The file this copy of the platform layer was loaded from: each module
// links its own copy, so the answer is the module itself (or the program,
// for code linked into an executable).
#include "platform/module_path.h"

#include <dlfcn.h>
#include <link.h>
#include <stdlib.h>

#include <memory>

namespace {

std::string RealPath(const char* path) {
  std::unique_ptr<char, decltype(&free)> resolved(realpath(path, nullptr), &free);
  return resolved ? std::string(resolved.get()) : std::string();
}

}  // namespace

std::string ThisModulePath() {
  Dl_info info{};
  link_map* map = nullptr;
  if (!dladdr1(reinterpret_cast<void*>(&ThisModulePath), &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP)) {
    return {};
  }
  // The loader names the program itself by its argv[0], which may be
  // relative to a folder the process has since left.
  bool program = map && map->l_name && map->l_name[0] == '\0';
  return RealPath(program || !info.dli_fname ? "/proc/self/exe" : info.dli_fname);
}
