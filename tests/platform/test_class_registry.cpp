#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <filesystem>

#include "platform/class_objects.h"
#include "platform/class_registry.h"
#include "platform/error.h"
#include "platform/guid.h"
#include "platform/module_path.h"
#include "platform/profile.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr CLSID kClass = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
constexpr CLSID kOtherClass = {0x87654321, 0x0FED, 0xCBA9, {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE}};

HRESULT CreationStatus(std::string_view progId, std::string* message = nullptr) {
  try {
    CreateObjectByProgId(progId);
  } catch (const ComError& error) {
    if (message) *message = error.what();
    return error.Status();
  }
  return S_OK;
}

TEST(ClassRegistry, RegisterWritesClassAndProgIdUnregisterRemovesThem) {
  IsolatedConfig config;
  RegisterServerClass(kClass, "/opt/sorvin/Selvane.so", "Sorvin.Selvane");
  ProfileFile registry(config.SettingsFolder() + "/registry.ini");
  const std::string classId = GuidToString(kClass);
  EXPECT_EQ(registry.ReadString("InprocServer32", classId, ""), "/opt/sorvin/Selvane.so");
  EXPECT_EQ(registry.ReadString("ProgID", "Sorvin.Selvane", ""), classId);

  UnregisterServerClass(kClass, "Sorvin.Selvane");
  EXPECT_EQ(registry.ReadString("InprocServer32", classId, "gone"), "gone");
  EXPECT_EQ(registry.ReadString("ProgID", "Sorvin.Selvane", "gone"), "gone");
}

TEST(ClassRegistry, UnregisterLeavesAProgIdAnotherClassHasTaken) {
  IsolatedConfig config;
  RegisterServerClass(kClass, "/opt/a.so", "Shared.Name");
  RegisterServerClass(kOtherClass, "/opt/b.so", "Shared.Name");
  UnregisterServerClass(kClass, "Shared.Name");
  ProfileFile registry(config.SettingsFolder() + "/registry.ini");
  EXPECT_EQ(registry.ReadString("ProgID", "Shared.Name", ""), GuidToString(kOtherClass));
  EXPECT_EQ(registry.ReadString("InprocServer32", GuidToString(kOtherClass), ""), "/opt/b.so");
}

TEST(ClassRegistry, EnvironmentNamesTheRegistryAndRelativeModulePathsBecomeAbsolute) {
  IsolatedConfig config;
  TempDir dir;
  ScopedEnv named("SORVIN_REGISTRY", dir.File("reg.ini"));
  RegisterServerClass(kClass, "lib/Tarnvik.so", "");
  EXPECT_FALSE(FileExists(config.SettingsFolder() + "/registry.ini"));
  std::string stored = ProfileFile(dir.File("reg.ini")).ReadString("InprocServer32", GuidToString(kClass), "");
  EXPECT_EQ(stored, (std::filesystem::current_path() / "lib/Tarnvik.so").string());
}

TEST(ClassRegistry, CreationFailuresCarryTheRuntimeStatus) {
  IsolatedConfig config;
  EXPECT_EQ(CreationStatus("No.Such.Class"), CO_E_CLASSSTRING);

  ProfileFile registry(config.SettingsFolder() + "/registry.ini");
  registry.WriteString("ProgID", "Bad.Guid", "not-a-guid");
  EXPECT_EQ(CreationStatus("Bad.Guid"), CO_E_CLASSSTRING);

  registry.WriteString("ProgID", "Unregistered", GuidToString(kClass));
  EXPECT_EQ(CreationStatus("Unregistered"), REGDB_E_CLASSNOTREG);

  RegisterServerClass(kClass, config.Dir().File("missing.so"), "Missing.Module");
  std::string message;
  EXPECT_EQ(CreationStatus("Missing.Module", &message), CO_E_DLLNOTFOUND);
  EXPECT_NE(message.find("missing.so"), std::string::npos) << message;

  // A library that loads but is no server: the C library itself.
  void* libc = dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(libc, nullptr);
  link_map* map = nullptr;
  ASSERT_EQ(dlinfo(libc, RTLD_DI_LINKMAP, &map), 0);
  RegisterServerClass(kOtherClass, map->l_name, "Not.A.Server");
  dlclose(libc);
  HRESULT status = CreationStatus("Not.A.Server");
  EXPECT_TRUE(FAILED(status));
  EXPECT_NE(status, CO_E_DLLNOTFOUND);
}

// Code linked into a program belongs to the program, by its real path even
// after the working folder changes.
// A factory that answers every creation with a status of its own, so a test
// can tell that creation reached it, and counts its references.
class MarkedFactory final : public IClassFactory {
 public:
  static constexpr HRESULT kAnswer = E_NOTIMPL;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!SameGuid(riid, IID_IUnknown) && !SameGuid(riid, IID_IClassFactory)) return E_NOINTERFACE;
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** object) override {
    *object = nullptr;
    return kAnswer;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
  ULONG refs = 0;
};

TEST(ClassRegistry, AClassObjectOfTheProcessComesBeforeTheRegisteredServer) {
  IsolatedConfig config;
  MarkedFactory factory;
  EXPECT_EQ(CO_E_CLASSSTRING, [&] {
    try {
      ProcessClassObject unknown("Sorvin.Nothing", factory);
    } catch (const ComError& error) {
      return error.Status();
    }
    return S_OK;
  }());
  RegisterServerClass(kClass, config.Dir().File("missing.so"), "Sorvin.Test");
  RegisterServerClass(kOtherClass, config.Dir().File("missing.so"), "Sorvin.Other");
  const std::string registry = ReadFileBytes(config.SettingsFolder() + "/registry.ini");
  {
    const ProcessClassObject registered("Sorvin.Test", factory);
    EXPECT_EQ(registry, ReadFileBytes(config.SettingsFolder() + "/registry.ini"));  // left untouched
    EXPECT_EQ(MarkedFactory::kAnswer, CreationStatus("Sorvin.Test"));
    EXPECT_EQ(CO_E_DLLNOTFOUND, CreationStatus("Sorvin.Other"));  // another class goes to its server
    EXPECT_GT(factory.refs, 0u);
  }
  EXPECT_EQ(0u, factory.refs);
  EXPECT_EQ(CO_E_DLLNOTFOUND, CreationStatus("Sorvin.Test"));
}

TEST(ModulePath, NamesTheProgramForCodeLinkedIntoIt) {
  TempDir dir;
  auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  std::string path = ThisModulePath();
  std::filesystem::current_path(previous);
  EXPECT_EQ(path, std::filesystem::canonical("/proc/self/exe").string());
}

}  // namespace
