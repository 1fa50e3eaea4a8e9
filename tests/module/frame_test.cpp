// The module frame as a host meets it: discovery, the class factory,
// unloading, registration and what the module shows of itself.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <string>

#include "module/exports.h"
#include "platform/guid.h"
#include "platform/profile.h"
#include "tests/module/module_exports.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr char kSelvaneClass[] = "{AEA0B6CF-6838-4C95-AB22-A2AA30E73FB1}";

TEST(ModuleFrame, DiscoveryAnswersTheSameForAnyIndex) {
  HostModule module("Selvane.xhw");
  EXPECT_EQ(1, module.HardwareCount());
  for (int index : {0, 1, -1, 1000}) {
    EXPECT_EQ("Эмулятор ККМ", module.HardwareName(index));
    EXPECT_EQ(kSelvaneClass, module.HardwareClassString(index));
  }
  // The class string stays intact in the module's own buffer.
  const char* first = module.Export<const char * SORVIN_CALL(int32_t)>("GetHardwareClassString")(0);
  module.HardwareName(3);
  module.HardwareClassString(7);
  EXPECT_STREQ(kSelvaneClass, first);
}

// Each module shows exactly its documented entry points: the platform layer
// and the C++ library inside stay private, so two modules never share them,
// and an export nobody documented fails here.
TEST(ModuleFrame, ExportsItsEntryPointsAndNothingElse) {
  std::set<std::string> server = {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"};
#ifndef _WIN32
  // Without the runtime a module hands out its own error information.
  server.insert("GetErrorInfo");
#endif
  std::set<std::string> plugin = server;
  plugin.insert({"GetHardwareCount", "GetHardwareName", "GetHardwareClassString"});
  for (const char* name : {"Selvane.xhw", "Tarnvik.xhw"}) {
    EXPECT_EQ(plugin, ExportedNames(HostModule(name))) << name;
  }
  EXPECT_EQ(server, ExportedNames(HostModule(kSimulatorModule)));
}

TEST(ModuleFrame, ClassObjectOnlyForItsOwnClass) {
  HostModule module("Selvane.xhw");
  auto other = ParseGuid("{B7689970-3F20-42EC-9995-56829FD9D3A3}");
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, module.GetClassObject(*other, IID_IClassFactory, &object));
  EXPECT_EQ(nullptr, object);

  auto own = ParseGuid(kSelvaneClass);
  object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(E_NOINTERFACE, module.GetClassObject(*own, IID_IDispatch, &object));
  EXPECT_EQ(nullptr, object);
}

TEST(ModuleFrame, FactoryCreatesANewObjectEachTime) {
  HostModule module("Selvane.xhw");
  ComPtr<IClassFactory> factory = module.Factory();
  ComPtr<IFiscalDevice> first, second;
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IFiscalDevice, first.PutVoid()));
  ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, second.PutVoid()));
  EXPECT_NE(first.Get(), second.Get());

  ComPtr<IUnknown> outer;
  ASSERT_EQ(S_OK, first->QueryInterface(IID_IUnknown, outer.PutVoid()));
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer.Get(), IID_IUnknown, &object));
  EXPECT_EQ(nullptr, object);
}

TEST(ModuleFrame, ObjectAnswersItsInterfacesOnly) {
  HostModule module("Selvane.xhw");
  HostDevice device(module.CreateDevice());
  for (const IID& iid : {IID_IUnknown, IID_IDispatch, IID_IFiscalDevice, IID_ISupportErrorInfo}) {
    ComPtr<IUnknown> p;
    EXPECT_EQ(S_OK, device->QueryInterface(iid, p.PutVoid()));
  }
  ComPtr<IUnknown> none;
  EXPECT_EQ(E_NOINTERFACE, device->QueryInterface(IID_IClassFactory, none.PutVoid()));
  EXPECT_FALSE(none);
}

TEST(ModuleFrame, CanUnloadOnlyWhenNothingIsAlive) {
  HostModule module("Selvane.xhw");
  EXPECT_EQ(S_OK, module.CanUnloadNow());
  {
    ComPtr<IClassFactory> factory = module.Factory();
    EXPECT_EQ(S_FALSE, module.CanUnloadNow());
    ComPtr<IFiscalDevice> device;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IFiscalDevice, device.PutVoid()));
    factory.Reset();
    EXPECT_EQ(S_FALSE, module.CanUnloadNow());
    ComPtr<IDispatch> second;
    ASSERT_EQ(S_OK, device->QueryInterface(IID_IDispatch, second.PutVoid()));
    device.Reset();
    EXPECT_EQ(S_FALSE, module.CanUnloadNow());
  }
  EXPECT_EQ(S_OK, module.CanUnloadNow());

  ComPtr<IClassFactory> factory = module.Factory();
  factory->LockServer(1);
  factory.Reset();
  EXPECT_EQ(S_FALSE, module.CanUnloadNow());
  module.Factory()->LockServer(0);
  EXPECT_EQ(S_OK, module.CanUnloadNow());
}

#ifndef _WIN32
// The class registry that stands in for the system's on Linux; the Windows
// registration is tested against the real registry (tests/windows).
TEST(ModuleFrame, RegistersAndUnregistersItsClass) {
  IsolatedConfig config;
  TempDir registryDir;
  ScopedEnv registry("SORVIN_REGISTRY", registryDir.File("registry.ini"));
  HostModule module("Selvane.xhw");

  ASSERT_EQ(S_OK, module.RegisterServer());
  ProfileFile file(registryDir.File("registry.ini"));
  char resolved[PATH_MAX];
  ASSERT_NE(nullptr, realpath(module.Path().c_str(), resolved));
  EXPECT_EQ(resolved, file.ReadString("InprocServer32", kSelvaneClass, ""));

  ASSERT_EQ(S_OK, module.UnregisterServer());
  EXPECT_EQ("", file.ReadString("InprocServer32", kSelvaneClass, ""));
}

TEST(ModuleFrame, RegistrationReportsARegistryItCannotWrite) {
  IsolatedConfig config;
  TempDir dir;
  WriteFileBytes(dir.File("plain-file"), "x");
  // A registry path that runs through a regular file can never be written.
  ScopedEnv registry("SORVIN_REGISTRY", dir.File("plain-file/registry.ini"));
  HostModule module("Selvane.xhw");
  EXPECT_EQ(E_FAIL, module.RegisterServer());
}
#endif

}  // namespace
