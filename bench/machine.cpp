#include "bench/machine.h"

#include <sys/utsname.h>

#include <filesystem>
#include <fstream>
#include <istream>
#include <sstream>
#include <thread>

namespace {

std::string ProcessorModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown processor";
}

std::string Kernel() {
  utsname name{};
  if (uname(&name) != 0) return "unknown kernel";
  return std::string(name.sysname) + " " + name.release;
}

std::string FileSystemOf(const std::string& path) {
  std::error_code ignored;
  const std::string where = std::filesystem::canonical(path, ignored).string();
  std::ifstream mounts("/proc/self/mountinfo");
  return MountedFileSystem(where, mounts) + " (" + where + ")";
}

}  // namespace

std::string MountedFileSystem(const std::string& path, std::istream& mountTable) {
  std::string deepest;
  std::string type = "unknown";
  for (std::string line; std::getline(mountTable, line);) {
    std::istringstream fields(line);
    std::string id, parent, device, root, point;
    fields >> id >> parent >> device >> root >> point;
    const auto dash = line.find(" - ");
    if (point.empty() || dash == std::string::npos) continue;
    // "/tmp" holds "/tmp/x" but not "/tmpfoo".
    const bool holds = path == point || path.starts_with(point.back() == '/' ? point : point + "/");
    if (holds && point.size() >= deepest.size()) {
      deepest = point;
      std::istringstream(line.substr(dash + 3)) >> type;
    }
  }
  return type;
}

std::string MachineDescription(const std::string& fileFolder, const std::string& stateFolder) {
  std::ostringstream out;
  out << ProcessorModel() << ", " << std::thread::hardware_concurrency() << " cores, " << Kernel() << ", g++ "
      << __VERSION__ << ".\nReceipt files on " << FileSystemOf(fileFolder) << "; the simulator's state file on "
      << FileSystemOf(stateFolder) << ".";
  return out.str();
}
