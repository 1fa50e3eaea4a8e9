// What is installed, as programs of either word size see it: the servers
// registered for classes, ProgIDs, type libraries and interfaces, the
// version resource of a file, and whether a file can be read and replaced.
// On Windows this is the system registry in its 32- and 64-bit views; on
// Linux the class registry file (see class_registry.h), one view, the
// program's own, with no type libraries, interfaces or version resources.
// Paths are module text (Windows-1251), as the modules name their files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com.h"

// Word sizes are in bits: 32 or 64.
int ProgramWordSize();
// 64 also for a 32-bit program on 64-bit Windows.
int SystemWordSize();
// The registry views a host can be of, the program's own first.
std::vector<int> RegistryViews();

struct ServerRegistration {
  std::string path;        // as registered; empty when the key has no value
  bool inProcess = true;   // false: only a local server (a program) is registered
  std::string progId;      // the class key's own ProgID, empty when it has none
};

// The class's server as programs of `wordSize` see it; nothing when the
// class is not registered there.
std::optional<ServerRegistration> RegisteredServer(const CLSID& classId, int wordSize);

// The class a ProgID names (ProgIDs are shared by both views); nothing
// when the ProgID is not registered or names no valid class id.
std::optional<CLSID> ProgIdClass(std::string_view progId);

// Whether this platform registers type libraries and interfaces at all.
bool RegistersTypeLibraries();
// The file registered for the type library's `version` under `platform`
// ("win32", "win64"); nothing when that key is missing.
std::optional<std::string> TypeLibraryFile(const GUID& library, std::string_view version, std::string_view platform);
// The interface's proxy/stub class (HKCR\Interface\{IID}\ProxyStubClsid32),
// "" when the interface key has none; nothing when the interface is not
// registered.
std::optional<std::string> InterfaceProxy(const IID& interfaceId);

// "1.0.0.0" from the file's version resource; nothing without one.
std::optional<std::string> FileVersion(const std::string& path);

bool FileExists(const std::string& path);

struct FileAccess {
  bool exists = false;
  std::string unreadable;   // why the file cannot be read; empty when it can or does not exist
  std::string unwritable;   // why it cannot be written or replaced; empty when it can
};

// Whether the file can be read and a new one put in its place (written
// beside it and moved over it), found without changing anything: the
// folder is tried with a scratch file that is removed at once. When
// `folderIsMade`, a missing folder is made by the writer, so the nearest
// folder that exists on the way must take it; otherwise a missing folder
// is itself the reason.
FileAccess CheckFileAccess(const std::string& path, bool folderIsMade);
