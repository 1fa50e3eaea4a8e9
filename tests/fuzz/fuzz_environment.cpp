#include "tests/fuzz/fuzz_environment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace {

// Settings saves sync to disk; a folder in memory keeps that cheap.
std::string ScratchBase() {
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
  return std::filesystem::temp_directory_path().string();
}

// The fuzzer's own folder, removed when it ends, and the environment that
// points the modules into it.
struct Scratch {
  Scratch() : dir(ScratchBase()) {
    const std::string& path = dir.Path();
    setenv("SORVIN_MODULE_DIR", SORVIN_BUILT_MODULES, 0);
    setenv("XDG_CONFIG_HOME", (path + "/work/config").c_str(), 1);
    setenv("SORVIN_REGISTRY", (path + "/registry.ini").c_str(), 1);
    setenv("SORVIN_FPRNM8_SIM", (path + "/work/sim.ini").c_str(), 1);
    setenv("SORVIN_FIXED_CLOCK", "2026-12-08 14:05:09", 1);
    setenv("LC_ALL", "C", 1);
    // No input may fill the disk, however many lines it asks for.
    LimitFileSize(64ull << 20);
  }
  TempDir dir;
};

}  // namespace

const std::string& FuzzScratch() {
  static const Scratch scratch;
  return scratch.dir.Path();
}

void ResetScratch() {
  const std::string work = FuzzScratch() + "/work";
  std::error_code ignored;
  std::filesystem::remove_all(work, ignored);
  std::filesystem::create_directories(work + "/config/sorvin", ignored);
  WriteFileBytes(work + "/sim.ini", "[Simulator]\n");
}

const HostModule& RegisteredSimulator() {
  static const HostModule* simulator = [] {
    FuzzScratch();
    auto* loaded = new HostModule(kSimulatorModule);
    if (loaded->RegisterServer() != S_OK) BrokenPromise("cannot register the register simulator");
    return loaded;
  }();
  return *simulator;
}

void BrokenPromise(const std::string& what) {
  std::fprintf(stderr, "\n*** %s\n", what.c_str());
  std::abort();
}
