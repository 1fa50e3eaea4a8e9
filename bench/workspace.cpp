#include "bench/workspace.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

std::string MakeFolder(const std::filesystem::path& parent) {
  std::string pattern = (parent / "sorvin-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder in " + parent.string());
  return pattern;
}

// The simulator saves its state after every document, each value flushed to
// disk: on a disk that is milliseconds of waiting per sale, which would bury
// the adapter's own cost, a few microseconds, in noise. Memory where there
// is a memory file system; the work is the same, the waiting is gone.
std::string StateFolder(const std::string& fallback) {
  const std::filesystem::path memory = "/dev/shm";
  std::error_code error;
  if (!std::filesystem::is_directory(memory, error) || access(memory.c_str(), W_OK) != 0) return fallback;
  return MakeFolder(memory);
}

}  // namespace

Workspace::Workspace() : path_(MakeFolder(std::filesystem::temp_directory_path())), statePath_(StateFolder(path_)) {
  setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
  setenv("SORVIN_REGISTRY", File("registry.ini").c_str(), 1);
  setenv("SORVIN_FPRNM8_SIM", SimulatorSettings().c_str(), 1);
  // The modules are the ones built beside this program, unless told otherwise.
  setenv("SORVIN_MODULE_DIR", SORVIN_BUILT_MODULE_DIR, 0);
}

Workspace::~Workspace() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  std::filesystem::remove_all(statePath_, ignored);
}
