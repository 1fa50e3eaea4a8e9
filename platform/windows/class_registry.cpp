// Classes in the system registry under HKEY_CLASSES_ROOT, and objects made
// by the runtime, which finds, loads and unloads the servers itself.
#include "platform/class_registry.h"

#include <iterator>
#include <utility>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/guid.h"
#include "platform/windows/registry_key.h"
#include "platform/windows/system_error.h"

namespace {

std::string ClassKey(const CLSID& clsid) { return "CLSID\\" + GuidToString(clsid); }

// The loader resolves a relative path against whatever folder the creating
// process is in; a full one finds the module from anywhere.
std::string FullPath(std::string_view path) {
  OLECHAR full[MAX_PATH + 1];
  DWORD length = GetFullPathNameW(AnsiToUtf16(path).c_str(), std::size(full), full, nullptr);
  return length > 0 && length < std::size(full) ? Utf16ToAnsi(OleStringView(full, length)) : std::string(path);
}

// The system keeps the class keys of 32- and 64-bit programs apart but
// shares ProgIDs between them, so a ProgID serves both word sizes of a
// module registered side by side. (A 32-bit system has one view, where
// the class's own key is gone by the time this is asked.)
bool RegisteredForTheOtherWordSize(const CLSID& clsid) {
  const REGSAM otherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  return RegistryKey::Open(HKEY_CLASSES_ROOT, ClassKey(clsid) + "\\InprocServer32", otherView).has_value();
}

// The message stays interface text: the adapter hands it to the host.
void CheckCreation(HRESULT status) {
  if (FAILED(status)) throw ComError(status, SystemText(status));
}

}  // namespace

void RegisterServerClass(const CLSID& clsid, std::string_view modulePath, std::string_view progId) {
  const std::string classKey = ClassKey(clsid);
  RegistryKey server = RegistryKey::Create(HKEY_CLASSES_ROOT, classKey + "\\InprocServer32");
  server.SetText(nullptr, FullPath(modulePath));
  server.SetText("ThreadingModel", "Apartment");
  if (progId.empty()) return;
  RegistryKey::Create(HKEY_CLASSES_ROOT, classKey + "\\ProgID").SetText(nullptr, progId);
  RegistryKey::Create(HKEY_CLASSES_ROOT, std::string(progId) + "\\CLSID").SetText(nullptr, GuidToString(clsid));
}

void UnregisterServerClass(const CLSID& clsid, std::string_view progId) {
  DeleteRegistryTree(HKEY_CLASSES_ROOT, ClassKey(clsid));
  if (progId.empty() || RegisteredForTheOtherWordSize(clsid)) return;
  // A ProgID that another class has taken over since stays with that class.
  const std::string progIdKey(progId);
  auto key = RegistryKey::Open(HKEY_CLASSES_ROOT, progIdKey + "\\CLSID");
  auto current = key ? key->Text(nullptr) : std::nullopt;
  auto registered = current ? ParseGuid(*current) : std::nullopt;
  if (registered && SameGuid(*registered, clsid)) DeleteRegistryTree(HKEY_CLASSES_ROOT, progIdKey);
}

ServerObject CreateObjectByProgId(std::string_view progId) {
  CLSID clsid;
  CheckCreation(CLSIDFromProgID(AnsiToUtf16(progId).c_str(), &clsid));
  ServerObject server;
  CheckCreation(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, server.object.PutVoid()));
  return server;
}
