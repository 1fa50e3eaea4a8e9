#include <cstdlib>
#include <stdexcept>

#include "tests/support/host_module.h"

namespace {

// The build puts the modules beside the test programs.
std::string ProgramFolder() {
  char path[MAX_PATH + 1];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string program(path, length < sizeof path ? length : 0);
  return program.substr(0, program.find_last_of('\\'));
}

}  // namespace

const char* const kSimulatorModule = "FprnM8Sim.dll";

HostThread::HostThread() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) throw std::runtime_error("no apartment");
}
HostThread::~HostThread() { CoUninitialize(); }

std::string HostModule::PathOf(const std::string& fileName) {
  const char* dir = std::getenv("SORVIN_MODULE_DIR");
  std::string path = (dir && *dir ? std::string(dir) : ProgramFolder()) + "\\" + fileName;
  // CTest runs the program under Wine with the build's Linux path, which
  // Wine shows as drive Z:.
  if (path.starts_with('/')) path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}
