// The system's RegisterTypeLib would also register every interface in the
// library under HKEY_CLASSES_ROOT\Interface. A module's library contains
// the host's IFiscalDevice (compiled in from the host's definition), so
// that would take over the host's registration of it, and unregistering
// one module would remove it for the host and every other module. We write
// the library's own keys instead.
#include "platform/windows/type_library.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <new>

#include "platform/ascii.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/guid.h"
#include "platform/library_handle.h"
#include "platform/windows/registry_key.h"
#include "platform/windows/system_error.h"

namespace {

// Where the library is registered, from its own attributes:
// TypeLib\{LIBID}\<major>.<minor>\<lcid>\win32 or win64, the numbers in
// hexadecimal digits. The system shares TypeLib between its 32- and 64-bit
// views, so the two word sizes of a module registered side by side meet
// under one version key, each with its own win32 or win64 key.
struct LibraryEntry {
  std::string libraryKey;
  std::string versionKey;
  std::string localeKey;
  std::string wordSizeKey;
  std::string title;
};

LibraryEntry EntryOf(ITypeLib& library) {
  TLIBATTR* raw = nullptr;
  HRESULT status = library.GetLibAttr(&raw);
  if (FAILED(status)) throw ComError(status, SystemMessage(status));
  auto release = [&library](TLIBATTR* attributes) { library.ReleaseTLibAttr(attributes); };
  std::unique_ptr<TLIBATTR, decltype(release)> attributes(raw, release);

  char version[32];
  std::snprintf(version, sizeof version, "\\%x.%x", attributes->wMajorVerNum, attributes->wMinorVerNum);
  char locale[32];
  std::snprintf(locale, sizeof locale, "\\%lx", static_cast<unsigned long>(attributes->lcid));
  LibraryEntry entry;
  entry.libraryKey = "TypeLib\\" + GuidToString(attributes->guid);
  entry.versionKey = entry.libraryKey + version;
  entry.localeKey = entry.versionKey + locale;
  entry.wordSizeKey = entry.localeKey + (attributes->syskind == SYS_WIN64 ? "\\win64" : "\\win32");

  // The help string names the library to a person; without one, its name.
  Bstr name;
  Bstr help;
  if (SUCCEEDED(library.GetDocumentation(-1, name.Put(), help.Put(), nullptr, nullptr))) {
    entry.title = BstrToAnsi(help.View().empty() ? name.Get() : help.Get());
  }
  return entry;
}

// Removes the key once nothing is registered below it: no subkeys but
// those named in `notRegistrations`.
void DeleteWhenUnused(const std::string& path, std::initializer_list<std::string_view> notRegistrations = {}) {
  auto key = RegistryKey::Open(HKEY_CLASSES_ROOT, path);
  if (!key) return;
  for (const std::string& name : key->SubkeyNames()) {
    auto sameName = [&name](std::string_view other) { return SameAsciiName(std::string_view(name), other); };
    if (std::none_of(notRegistrations.begin(), notRegistrations.end(), sameName)) return;
  }
  DeleteRegistryTree(HKEY_CLASSES_ROOT, path);
}

bool CarriesTypeLibrary(std::string_view modulePath) {
  // Loaded as data only: none of the module's code runs.
  const LibraryHandle module(LoadLibraryExW(AnsiToUtf16(modulePath).c_str(), nullptr,
                                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  return module && FindResourceA(module.Get(), MAKEINTRESOURCEA(1), "TYPELIB") != nullptr;
}

}  // namespace

ComPtr<ITypeLib> LoadModuleTypeLibrary(std::string_view modulePath) {
  ComPtr<ITypeLib> library;
  HRESULT status = LoadTypeLibEx(AnsiToUtf16(modulePath).c_str(), REGKIND_NONE, library.Put());
  if (FAILED(status)) throw ComError(status, SystemMessage(status) + ": " + std::string(modulePath));
  return library;
}

void RegisterModuleTypeLibrary(std::string_view modulePath) {
  if (!CarriesTypeLibrary(modulePath)) return;
  LibraryEntry entry = EntryOf(*LoadModuleTypeLibrary(modulePath).Get());
  // The title and the flags are the same for both word sizes. There is no
  // HELPDIR: the library names no help file, and one value could not name
  // the folders of both word sizes.
  RegistryKey::Create(HKEY_CLASSES_ROOT, entry.versionKey).SetText(nullptr, entry.title);
  RegistryKey::Create(HKEY_CLASSES_ROOT, entry.versionKey + "\\FLAGS").SetText(nullptr, "0");
  RegistryKey::Create(HKEY_CLASSES_ROOT, entry.wordSizeKey).SetText(nullptr, modulePath);
}

void UnregisterModuleTypeLibrary(std::string_view modulePath) {
  if (!CarriesTypeLibrary(modulePath)) return;
  LibraryEntry entry = EntryOf(*LoadModuleTypeLibrary(modulePath).Get());
  DeleteRegistryTree(HKEY_CLASSES_ROOT, entry.wordSizeKey);
  // What the word sizes share goes with the last of them. (HELPDIR is
  // left by registrations of earlier versions.)
  DeleteWhenUnused(entry.localeKey);
  DeleteWhenUnused(entry.versionKey, {"FLAGS", "HELPDIR"});
  DeleteWhenUnused(entry.libraryKey);
}

UINT ModuleTypeInfoCount() { return 1; }

HRESULT ModuleTypeInfo(std::string_view modulePath, REFIID iid, ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  *info = nullptr;
  try {
    return LoadModuleTypeLibrary(modulePath)->GetTypeInfoOfGuid(iid, info);
  } catch (const ComError& e) {
    return e.Status();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}
