// The installation on Windows: the system registry in the 32- and 64-bit
// views (KEY_WOW64_32KEY, KEY_WOW64_64KEY), the version resource, and files
// checked with the calls a writer would make.
#include "platform/installation.h"

#include <windows.h>

#include "platform/codepage.h"
#include "platform/guid.h"
#include "platform/windows/kernel_handle.h"
#include "platform/windows/registry_key.h"
#include "platform/windows/system_error.h"

namespace {

REGSAM ViewOf(int wordSize) { return wordSize == 64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

std::optional<std::string> DefaultText(const std::string& path, REGSAM view = 0) {
  const std::optional<RegistryKey> key = RegistryKey::Open(HKEY_CLASSES_ROOT, path, view);
  return key ? key->Text(nullptr) : std::nullopt;
}

std::string Reason(HRESULT status) { return AnsiToUtf8(SystemMessage(status)); }

// Paths go to the system in UTF-16, so every character of a module text is kept.
OleString Wide(const std::string& path) { return AnsiToUtf16(path); }

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }
bool IsFolder(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FolderOf(const std::string& path) {
  const std::size_t separator = path.find_last_of("\\/");
  if (separator == std::string::npos) return ".";
  // "C:\" keeps its separator: "C:" alone is the drive's current folder.
  return separator == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, separator);
}

// Why no file can be made in the folder; empty when one can. The scratch
// file is deleted by the system when its handle closes.
std::string CannotWriteIn(const std::string& folder) {
  const OleString scratch = Wide(folder + "\\~xhw-doctor-" + std::to_string(GetCurrentProcessId()) + ".tmp");
  const KernelHandle file(CreateFileW(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return file ? std::string() : Reason(LastErrorStatus());
}

}  // namespace

int ProgramWordSize() { return sizeof(void*) * 8; }

int SystemWordSize() {
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  const WORD architecture = system.wProcessorArchitecture;
  return architecture == PROCESSOR_ARCHITECTURE_AMD64 || architecture == PROCESSOR_ARCHITECTURE_ARM64 ||
                 architecture == PROCESSOR_ARCHITECTURE_IA64
             ? 64
             : 32;
}

std::vector<int> RegistryViews() {
  if (SystemWordSize() == 32) return {32};
  return ProgramWordSize() == 64 ? std::vector<int>{64, 32} : std::vector<int>{32, 64};
}

std::optional<ServerRegistration> RegisteredServer(const CLSID& classId, int wordSize) {
  const std::string classKey = "CLSID\\" + GuidToString(classId);
  const REGSAM view = ViewOf(wordSize);
  ServerRegistration server;
  std::optional<std::string> path = DefaultText(classKey + "\\InprocServer32", view);
  if (!path && RegistryKey::Open(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32", view)) path = "";
  if (!path) {
    path = DefaultText(classKey + "\\LocalServer32", view);
    if (!path) return std::nullopt;
    server.inProcess = false;
  }
  server.path = *path;
  server.progId = DefaultText(classKey + "\\ProgID", view).value_or("");
  return server;
}

std::optional<CLSID> ProgIdClass(std::string_view progId) {
  const std::optional<std::string> classId = DefaultText(std::string(progId) + "\\CLSID");
  return classId ? ParseGuid(*classId) : std::nullopt;
}

bool RegistersTypeLibraries() { return true; }

std::optional<std::string> TypeLibraryFile(const GUID& library, std::string_view version, std::string_view platform) {
  return DefaultText("TypeLib\\" + GuidToString(library) + "\\" + std::string(version) + "\\0\\" +
                     std::string(platform));
}

std::optional<std::string> InterfaceProxy(const IID& interfaceId) {
  const std::string key = "Interface\\" + GuidToString(interfaceId);
  if (!RegistryKey::Open(HKEY_CLASSES_ROOT, key)) return std::nullopt;
  return DefaultText(key + "\\ProxyStubClsid32").value_or("");
}

std::optional<std::string> FileVersion(const std::string& path) {
  const OleString file = Wide(path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::string block(size, '\0');
  if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed) {
    return std::nullopt;
  }
  return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
         "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

bool FileExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

FileAccess CheckFileAccess(const std::string& path, bool folderIsMade) {
  FileAccess access;
  const DWORD attributes = Attributes(path);
  access.exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (access.exists) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      access.unreadable = access.unwritable = Reason(FailureStatus(ERROR_ACCESS_DENIED));
      return access;
    }
    const KernelHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (!file) access.unreadable = Reason(LastErrorStatus());
    // A read-only file cannot be moved over, whatever the folder allows.
    if (attributes & FILE_ATTRIBUTE_READONLY) {
      access.unwritable = Reason(FailureStatus(ERROR_ACCESS_DENIED));
      return access;
    }
  }
  std::string folder = FolderOf(path);
  if (!IsFolder(folder)) {
    if (!folderIsMade) {
      access.unwritable = Reason(FailureStatus(ERROR_PATH_NOT_FOUND));
      return access;
    }
    // The writer makes the missing folders below the nearest one there.
    while (Attributes(folder) == INVALID_FILE_ATTRIBUTES && FolderOf(folder) != folder) folder = FolderOf(folder);
    if (!IsFolder(folder)) {
      access.unwritable = Reason(FailureStatus(ERROR_DIRECTORY));
      return access;
    }
  }
  access.unwritable = CannotWriteIn(folder);
  return access;
}
