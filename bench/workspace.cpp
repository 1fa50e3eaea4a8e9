#include "bench/workspace.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The simulator saves its state after every document, each value flushed to
// disk: on a disk that is milliseconds of waiting per sale, which would bury
// the adapter's own cost, a few microseconds, in noise. Memory where there
// is a memory file system; the work is the same, the waiting is gone.
std::optional<TempDir> MemoryFolder() {
  const std::filesystem::path memory = "/dev/shm";
  std::error_code error;
  if (!std::filesystem::is_directory(memory, error) || access(memory.c_str(), W_OK) != 0) return std::nullopt;
  return std::optional<TempDir>(std::in_place, memory.string());
}

// The modules are the ones built beside this program, unless told otherwise.
std::string ModuleFolder() {
  const char* given = std::getenv("SORVIN_MODULE_DIR");
  return given ? given : SORVIN_BUILT_MODULE_DIR;
}

}  // namespace

Workspace::Workspace()
    : memory_(MemoryFolder()),
      simulator_("SORVIN_FPRNM8_SIM", SimulatorSettings()),
      modules_("SORVIN_MODULE_DIR", ModuleFolder()) {}
