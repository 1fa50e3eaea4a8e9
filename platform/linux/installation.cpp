// The installation on Linux: the class registry file that the platform's
// object creation reads (one view, the program's own), and files checked
// with the system calls a writer would make.
#include "platform/installation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/codepage.h"
#include "platform/guid.h"
#include "platform/linux/file_descriptor.h"
#include "platform/linux/registry_file.h"
#include "platform/profile.h"

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Why no file can be made in the folder; empty when one can. The scratch
// file is gone again before this returns.
std::string CannotWriteIn(const std::string& folder) {
  std::string scratch = folder + "/.xhw-doctor-XXXXXX";
  const FileDescriptor file(mkstemp(scratch.data()));
  if (!file) return std::strerror(errno);
  unlink(scratch.c_str());
  return {};
}

}  // namespace

int ProgramWordSize() { return sizeof(void*) * 8; }
int SystemWordSize() { return ProgramWordSize(); }
std::vector<int> RegistryViews() { return {ProgramWordSize()}; }

// The registry file has no ProgID under a class: a class's ProgID is the
// one that names it.
std::optional<ServerRegistration> RegisteredServer(const CLSID& classId, int) {
  const std::string path = ClassRegistryFile().ReadString("InprocServer32", GuidToString(classId), "");
  if (path.empty()) return std::nullopt;
  // The file holds the path as the file system spells it, in UTF-8.
  return ServerRegistration{Utf8ToAnsi(path), true, ""};
}

std::optional<CLSID> ProgIdClass(std::string_view progId) {
  return ParseGuid(ClassRegistryFile().ReadString("ProgID", progId, ""));
}

bool RegistersTypeLibraries() { return false; }
std::optional<std::string> TypeLibraryFile(const GUID&, std::string_view, std::string_view) { return std::nullopt; }
std::optional<std::string> InterfaceProxy(const IID&) { return std::nullopt; }
std::optional<std::string> FileVersion(const std::string&) { return std::nullopt; }

bool FileExists(const std::string& path) {
  struct stat status {};
  return stat(AnsiToUtf8(path).c_str(), &status) == 0;
}

FileAccess CheckFileAccess(const std::string& modulePath, bool folderIsMade) {
  const std::string path = AnsiToUtf8(modulePath);
  FileAccess access;
  struct stat status {};
  access.exists = stat(path.c_str(), &status) == 0;
  if (access.exists) {
    if (S_ISDIR(status.st_mode)) {
      access.unreadable = access.unwritable = std::strerror(EISDIR);
      return access;
    }
    if (!FileDescriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC))) access.unreadable = std::strerror(errno);
  }
  // A replacement is a new file in the folder renamed over the old one, so
  // the folder decides, not the file's own mode.
  std::string folder = FolderOf(path);
  if (!IsFolder(folder)) {
    if (!folderIsMade) {
      access.unwritable = std::strerror(ENOENT);
      return access;
    }
    // The writer makes the missing folders below the nearest one there.
    struct stat found {};
    while (stat(folder.c_str(), &found) != 0 && folder != "/" && folder != ".") folder = FolderOf(folder);
    if (!IsFolder(folder)) {
      access.unwritable = std::strerror(ENOTDIR);
      return access;
    }
  }
  access.unwritable = CannotWriteIn(folder);
  return access;
}
