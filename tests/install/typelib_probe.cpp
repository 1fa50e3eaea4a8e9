// What a late-bound client needs of a registered type library: the system
// finds it by its id and version (LoadRegTypeLib, in this program's word
// size) and it describes the class. Links nothing of ours, so it tests
// the registration alone.
//   typelib_probe <{library id}> <{class id}>
// Prints the library's registered path; exits 0 when both are found.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct Release {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using Owned = std::unique_ptr<Interface, Release>;
struct FreeText {
  void operator()(OLECHAR* text) const { SysFreeString(text); }
};

std::wstring Wide(const char* text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
  return wide;
}

int Fail(const char* step, HRESULT status) {
  std::printf("%s failed: 0x%08lX\n", step, static_cast<unsigned long>(status));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: typelib_probe {library id} {class id}\n");
    return 2;
  }
  GUID library{};
  CLSID clsid{};
  if (FAILED(CLSIDFromString(Wide(argv[1]).c_str(), &library)) ||
      FAILED(CLSIDFromString(Wide(argv[2]).c_str(), &clsid))) {
    std::printf("not an id: %s or %s\n", argv[1], argv[2]);
    return 2;
  }
  BSTR rawPath = nullptr;
  HRESULT status = QueryPathOfRegTypeLib(library, 1, 0, LOCALE_NEUTRAL, &rawPath);
  if (FAILED(status)) return Fail("QueryPathOfRegTypeLib", status);
  std::unique_ptr<OLECHAR, FreeText> path(rawPath);
  std::printf("%ls\n", path.get());

  ITypeLib* rawLibrary = nullptr;
  status = LoadRegTypeLib(library, 1, 0, LOCALE_NEUTRAL, &rawLibrary);
  if (FAILED(status)) return Fail("LoadRegTypeLib", status);
  Owned<ITypeLib> typeLibrary(rawLibrary);
  ITypeInfo* rawInfo = nullptr;
  status = typeLibrary->GetTypeInfoOfGuid(clsid, &rawInfo);
  if (FAILED(status)) return Fail("GetTypeInfoOfGuid", status);
  Owned<ITypeInfo> info(rawInfo);
  return 0;
}
