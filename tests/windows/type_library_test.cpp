// The type libraries against the operation table: a late-bound caller that
// reads them must reach each operation under its slot number, at its
// vtable slot, with the argument types the modules implement.
#include "platform/windows/type_library.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "contract/operations.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/guid.h"
#include "platform/module_path.h"
#include "platform/on_exit.h"
#include "platform/windows/registry_key.h"

namespace {

struct LibraryFacts {
  const char* resource;  // appended to the program's path; "" for resource 1
  const char* libraryId;
  const wchar_t* name;
  const wchar_t* help;
  const char* classId;  // null for the host's library, which has no class
  const wchar_t* className;
};

// Test names and failure messages show the library's name.
void PrintTo(const LibraryFacts& facts, std::ostream* out) { *out << Utf16ToAnsi(facts.name); }

const LibraryFacts kLibraries[] = {
    {"", "{93FDC725-9347-4E7A-A9D4-DAC79A6BDCC0}", L"Selvane", L"KKM Emulator Library",
     "{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}", L"VID_OrivUrar"},
    {"\\2", "{0F535C40-DC65-4AB2-9F6E-95D8577AF6FB}", L"Tarnvik", L"ATOL driver v.8.16 support library",
     "{B7689970-3F20-42EC-9995-56829FD9D3A3}", L"Tarnvik"},
    {"\\3", "{ADF57D07-18BA-4F03-8795-CA91C83BC150}", L"SorvinTradeHardware", L"", nullptr, nullptr},
};

// Attribute blocks the type information lends out and takes back.
template <class Owner, class Block, HRESULT (STDMETHODCALLTYPE Owner::*Get)(Block**),
          void (STDMETHODCALLTYPE Owner::*Release)(Block*)>
auto Borrow(Owner& owner) {
  Block* raw = nullptr;
  EXPECT_EQ(S_OK, (owner.*Get)(&raw));
  auto release = [&owner](Block* block) { (owner.*Release)(block); };
  return std::unique_ptr<Block, decltype(release)>(raw, release);
}

auto LibraryAttributes(ITypeLib& library) {
  return Borrow<ITypeLib, TLIBATTR, &ITypeLib::GetLibAttr, &ITypeLib::ReleaseTLibAttr>(library);
}
auto TypeAttributes(ITypeInfo& info) {
  return Borrow<ITypeInfo, TYPEATTR, &ITypeInfo::GetTypeAttr, &ITypeInfo::ReleaseTypeAttr>(info);
}

VARTYPE TypeOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::Integer:
    case ValueKind::ResultCode:
      return VT_I4;
    case ValueKind::Number:
      return VT_R8;
    case ValueKind::DateTime:
      return VT_DATE;
    case ValueKind::Text:
      return VT_BSTR;
    case ValueKind::Variant:
      return VT_VARIANT;
    case ValueKind::None:
      break;
  }
  return VT_EMPTY;
}

class TypeLibraries : public ::testing::TestWithParam<LibraryFacts> {
 protected:
  ComPtr<ITypeLib> library = LoadModuleTypeLibrary(ThisModulePath() + GetParam().resource);
};

TEST_P(TypeLibraries, NameTheLibraryAndTheWordSize) {
  auto attributes = LibraryAttributes(*library.Get());
  EXPECT_EQ(GetParam().libraryId, GuidToString(attributes->guid));
  EXPECT_EQ(1, attributes->wMajorVerNum);
  EXPECT_EQ(0, attributes->wMinorVerNum);
  EXPECT_EQ(sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, attributes->syskind);
  Bstr name, help;
  ASSERT_EQ(S_OK, library->GetDocumentation(-1, name.Put(), help.Put(), nullptr, nullptr));
  EXPECT_EQ(OleStringView(GetParam().name), name.View());
  EXPECT_EQ(OleStringView(GetParam().help), help.View());
}

TEST_P(TypeLibraries, ReachEveryOperationByItsSlotNumberWithItsTypes) {
  ComPtr<ITypeInfo> dispatch;
  ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(IID_IFiscalDevice, dispatch.Put()));
  EXPECT_TRUE(TypeAttributes(*dispatch.Get())->wTypeFlags & TYPEFLAG_FDUAL);
  // The vtable side of the dual interface.
  HREFTYPE reference = 0;
  ComPtr<ITypeInfo> vtable;
  ASSERT_EQ(S_OK, dispatch->GetRefTypeOfImplType(-1, &reference));
  ASSERT_EQ(S_OK, dispatch->GetRefTypeInfo(reference, vtable.Put()));
  EXPECT_EQ(42, TypeAttributes(*vtable.Get())->cFuncs);

  for (const Operation& op : Operations()) {
    OleString name = AnsiToUtf16(op.name);
    LPOLESTR names[] = {name.data()};
    MEMBERID id = MEMBERID_NIL;
    EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(names, 1, &id)) << op.name;
    EXPECT_EQ(op.id, id) << op.name;
  }

  for (UINT index = 0; index < 42; ++index) {
    FUNCDESC* raw = nullptr;
    ASSERT_EQ(S_OK, vtable->GetFuncDesc(index, &raw));
    auto release = [&vtable](FUNCDESC* desc) { vtable->ReleaseFuncDesc(desc); };
    std::unique_ptr<FUNCDESC, decltype(release)> function(raw, release);
    const Operation* op = FindOperation(static_cast<DISPID>(function->memid));
    ASSERT_NE(nullptr, op) << "member id " << function->memid;
    SCOPED_TRACE(std::string(op->name));
    // IUnknown and IDispatch hold the first seven slots.
    EXPECT_EQ(static_cast<int>((6 + op->id) * sizeof(void*)), function->oVft);
    EXPECT_EQ(VT_HRESULT, function->elemdescFunc.tdesc.vt);

    const bool hasOut = op->out != ValueKind::None;
    ASSERT_EQ(static_cast<int>(op->arguments.size() + (hasOut ? 1 : 0)), function->cParams);
    for (std::size_t i = 0; i < op->arguments.size(); ++i) {
      EXPECT_EQ(TypeOf(op->arguments[i]), function->lprgelemdescParam[i].tdesc.vt) << "argument " << i;
    }
    if (hasOut) {
      const ELEMDESC& out = function->lprgelemdescParam[op->arguments.size()];
      EXPECT_EQ(VT_PTR, out.tdesc.vt);
      EXPECT_EQ(TypeOf(op->out), out.tdesc.lptdesc->vt);
      EXPECT_TRUE(out.paramdesc.wParamFlags & PARAMFLAG_FRETVAL);
    }
  }
}

using ModuleTypeLibraries = TypeLibraries;

TEST_P(ModuleTypeLibraries, OfferTheModulesClassWithTheHostsInterface) {
  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(*ParseGuid(GetParam().classId), coclass.Put()));
  EXPECT_EQ(TKIND_COCLASS, TypeAttributes(*coclass.Get())->typekind);
  Bstr name;
  ASSERT_EQ(S_OK, coclass->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr));
  EXPECT_EQ(OleStringView(GetParam().className), name.View());

  INT flags = 0;
  HREFTYPE reference = 0;
  ComPtr<ITypeInfo> implemented;
  ASSERT_EQ(S_OK, coclass->GetImplTypeFlags(0, &flags));
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  ASSERT_EQ(S_OK, coclass->GetRefTypeOfImplType(0, &reference));
  ASSERT_EQ(S_OK, coclass->GetRefTypeInfo(reference, implemented.Put()));
  EXPECT_TRUE(SameGuid(IID_IFiscalDevice, TypeAttributes(*implemented.Get())->guid));
}

auto LibraryName = [](const auto& info) { return Utf16ToAnsi(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Windows, TypeLibraries, ::testing::ValuesIn(kLibraries), LibraryName);
// The host's library has no class of its own.
INSTANTIATE_TEST_SUITE_P(Windows, ModuleTypeLibraries, ::testing::Values(kLibraries[0], kLibraries[1]), LibraryName);

bool KeyExists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

TEST(WindowsTypeLibraryRegistration, RegistersTheLibraryButLeavesTheHostsInterfaceAlone) {
  const GUID selvane = *ParseGuid(kLibraries[0].libraryId);
  const std::string interfaceKey = "Interface\\" + GuidToString(IID_IFiscalDevice);
  const bool interfaceBefore = KeyExists(interfaceKey);

  RegisterModuleTypeLibrary(ThisModulePath());
  ComPtr<ITypeLib> registered;
  EXPECT_EQ(S_OK, LoadRegTypeLib(selvane, 1, 0, LOCALE_NEUTRAL, registered.Put()));
  EXPECT_EQ(interfaceBefore, KeyExists(interfaceKey));

  UnregisterModuleTypeLibrary(ThisModulePath());
  EXPECT_FALSE(KeyExists("TypeLib\\" + GuidToString(selvane)));
  ComPtr<ITypeLib> gone;
  EXPECT_TRUE(FAILED(LoadRegTypeLib(selvane, 1, 0, LOCALE_NEUTRAL, gone.Put())));
  EXPECT_EQ(interfaceBefore, KeyExists(interfaceKey));
}

// The system shares TypeLib between its 32- and 64-bit views: both word
// sizes of a module registered side by side meet under one version key.
TEST(WindowsTypeLibraryRegistration, UnregisteringOneWordSizeLeavesTheOthersRegistration) {
  const std::string libraryKey = "TypeLib\\" + std::string(kLibraries[0].libraryId);
  const std::string versionKey = libraryKey + "\\1.0";
  const std::string own = versionKey + (sizeof(void*) == 8 ? "\\0\\win64" : "\\0\\win32");
  const std::string other = versionKey + (sizeof(void*) == 8 ? "\\0\\win32" : "\\0\\win64");
  const std::string otherPath = "C:\\Other word size\\Selvane.xhw";
  auto text = [](const std::string& key) {
    auto opened = RegistryKey::Open(HKEY_CLASSES_ROOT, key);
    return opened ? opened->Text(nullptr).value_or("<no value>") : "<no key>";
  };

  // Whatever fails, the next test finds no library registered.
  OnExit cleanUp([&libraryKey] { DeleteRegistryTree(HKEY_CLASSES_ROOT, libraryKey); });
  RegistryKey::Create(HKEY_CLASSES_ROOT, other).SetText(nullptr, otherPath);
  RegisterModuleTypeLibrary(ThisModulePath());
  EXPECT_EQ(ThisModulePath(), text(own));
  // No help file, so no help folder, which could name only one of the two.
  EXPECT_FALSE(KeyExists(versionKey + "\\HELPDIR"));

  UnregisterModuleTypeLibrary(ThisModulePath());
  EXPECT_FALSE(KeyExists(own));
  EXPECT_EQ(otherPath, text(other));
  EXPECT_EQ("KKM Emulator Library", text(versionKey));
  EXPECT_EQ("0", text(versionKey + "\\FLAGS"));

  // The last word size to go takes the shared keys with it.
  RegisterModuleTypeLibrary(ThisModulePath());
  DeleteRegistryTree(HKEY_CLASSES_ROOT, other);
  UnregisterModuleTypeLibrary(ThisModulePath());
  EXPECT_FALSE(KeyExists(libraryKey));
}

TEST(WindowsTypeLibraryRegistration, AModuleWithoutALibraryRegistersNone) {
  char system[MAX_PATH + 1];
  UINT length = GetSystemDirectoryA(system, sizeof system);
  const std::string kernel = std::string(system, length) + "\\kernel32.dll";
  EXPECT_NO_THROW(RegisterModuleTypeLibrary(kernel));
  EXPECT_NO_THROW(UnregisterModuleTypeLibrary(kernel));
}

TEST(WindowsModulePath, IsTheFullPathOfTheFileThisCodeIsIn) {
  char program[MAX_PATH * 2];
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  EXPECT_EQ(std::string(program, length), ThisModulePath());
}

}  // namespace
