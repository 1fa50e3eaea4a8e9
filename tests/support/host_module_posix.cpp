#include <cstdlib>

#include "tests/support/host_module.h"

const char* const kSimulatorModule = "FprnM8Sim.so";

HostThread::HostThread() = default;
HostThread::~HostThread() = default;

std::string HostModule::PathOf(const std::string& fileName) {
  const char* dir = std::getenv("SORVIN_MODULE_DIR");
  return std::string(dir ? dir : ".") + "/" + fileName;
}
