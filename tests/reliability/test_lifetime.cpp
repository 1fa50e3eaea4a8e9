// Many objects of both modules in one host: every reference counts until it
// is released, in whatever order, and neither module's counters or objects
// are touched by the other's.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <random>
#include <vector>

#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

struct Reference {
  int module;     // index into the modules
  int object;     // which object it belongs to
  IUnknown* raw;  // one reference of its own
};

TEST(Lifetime, ThousandObjectsOfEachModuleReleasedInRandomOrder) {
  IsolatedConfig config;
  HostModule selvane("Selvane.xhw");
  HostModule tarnvik("Tarnvik.xhw");
  const std::array<const HostModule*, 2> modules = {&selvane, &tarnvik};
  constexpr int kObjectsPerModule = 1000;

  // Each object holds a value of its own, so any sharing between objects
  // shows; each has three references: the interface, its IDispatch and its
  // ISupportErrorInfo.
  std::vector<ComPtr<IFiscalDevice>> objects;
  std::vector<Reference> references;
  std::array<int, 2> alive = {0, 0};
  for (int i = 0; i < kObjectsPerModule; ++i) {
    for (int m = 0; m < 2; ++m) {
      ComPtr<IFiscalDevice> device = modules[m]->CreateDevice();
      const int object = static_cast<int>(objects.size());
      ASSERT_EQ(S_OK, device->SetTaxSystem(object));
      for (const IID* iid : {&IID_IFiscalDevice, &IID_IDispatch, &IID_ISupportErrorInfo}) {
        void* raw = nullptr;
        ASSERT_EQ(S_OK, device->QueryInterface(*iid, &raw));
        references.push_back({m, object, static_cast<IUnknown*>(raw)});
        ++alive[m];
      }
      objects.push_back(std::move(device));
    }
  }
  // From here on only the references above keep the objects.
  for (auto& object : objects) object.Detach()->Release();

  std::mt19937 random(20261208);
  std::shuffle(references.begin(), references.end(), random);
  for (std::size_t i = 0; i < references.size(); ++i) {
    const Reference gone = references[i];
    gone.raw->Release();
    --alive[gone.module];
    for (int m = 0; m < 2; ++m) {
      ASSERT_EQ(alive[m] == 0 ? S_OK : S_FALSE, modules[m]->CanUnloadNow()) << "module " << m << " at release " << i;
    }
    // Another object still answers with its own value.
    if (i + 1 < references.size()) {
      const Reference& other = references[i + 1 + random() % (references.size() - i - 1)];
      ComPtr<IFiscalDevice> device;
      ASSERT_EQ(S_OK, other.raw->QueryInterface(IID_IFiscalDevice, device.PutVoid()));
      LONG code = 0;
      ASSERT_EQ(S_OK, device->GetTaxSystem(&code));
      ASSERT_EQ(other.object, code);
    }
  }
  for (const HostModule* module : modules) EXPECT_EQ(S_OK, module->CanUnloadNow());
}

TEST(Lifetime, FactoryReferencesAndLocksKeepTheModuleLoaded) {
  HostModule selvane("Selvane.xhw");
  HostModule tarnvik("Tarnvik.xhw");
  for (const HostModule* module : {&selvane, &tarnvik}) {
    const HostModule* other = module == &selvane ? &tarnvik : &selvane;
    {
      ComPtr<IClassFactory> factory = module->Factory();
      EXPECT_EQ(S_FALSE, module->CanUnloadNow());
      EXPECT_EQ(S_OK, other->CanUnloadNow());
      ASSERT_EQ(S_OK, factory->LockServer(1));
      ASSERT_EQ(S_OK, factory->LockServer(1));
      factory.Reset();
      EXPECT_EQ(S_FALSE, module->CanUnloadNow());
      ComPtr<IClassFactory> again = module->Factory();
      ASSERT_EQ(S_OK, again->LockServer(0));
      ASSERT_EQ(S_OK, again->LockServer(0));
    }
    EXPECT_EQ(S_OK, module->CanUnloadNow());
  }
}

TEST(Lifetime, TwoModulesInOneHostKeepTheirOwnIdentityAndErrors) {
  HostThread thread;
  IsolatedConfig config;
  HostModule selvane("Selvane.xhw");
  HostModule tarnvik("Tarnvik.xhw");
  EXPECT_EQ("Эмулятор ККМ", selvane.HardwareName(0));
  EXPECT_EQ("Драйвер АТОЛ", tarnvik.HardwareName(0));
  EXPECT_NE(selvane.HardwareClassString(0), tarnvik.HardwareClassString(0));

  HostDevice emulator(selvane.CreateDevice());
  HostDevice adapter(tarnvik.CreateDevice());
  EXPECT_EQ(3, emulator.Int("GetParamCount"));
  EXPECT_EQ(5, adapter.Int("GetParamCount"));

  // A failure in each: each module names itself as the error's source.
  EXPECT_EQ(E_INVALIDARG, emulator.TryCall("CashIn", {std::numeric_limits<double>::infinity()}));
  EXPECT_EQ("Selvane", selvane.LastErrorSource());
  EXPECT_EQ(E_INVALIDARG, adapter.TryCall("CashOut", {std::numeric_limits<double>::quiet_NaN()}));
  EXPECT_EQ("Tarnvik", tarnvik.LastErrorSource());
  EXPECT_EQ("", selvane.LastErrorSource());
  // The adapter without a driver registered cannot connect, and says why.
  EXPECT_EQ(4, adapter.Int("Connect"));
  EXPECT_NE("", adapter.ResultText());
  EXPECT_EQ("", emulator.ResultText());
}

}  // namespace
