// The adapter against the register simulator. A sale of three lines with
// payment and close goes through the adapter; the driver member accesses it
// made are taken from the simulator's journal and replayed on a driver
// object of their own with one raw Invoke each, dispatch ids known. The
// difference between the two, per member access, is the adapter's own cost:
// the simulator's work is in both and drops out. Beside it, a single member
// call through the adapter's own driver class (ids kept per driver object by
// the member's place in the adapter's table) against a raw Invoke of the
// same member; and the sale with debug mode's journal on against the same
// sale with it off.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "adapter/atol_driver.h"
#include "bench/driver_replay.h"
#include "bench/paired.h"
#include "bench/scenes.h"
#include "bench/till.h"
#include "platform/automation.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::string_view kDriverProgId = "AddIn.FprnM8";

// No tape; a journal only while the sale is recorded. Every driver object
// reads these when it is made.
void SetUpSimulator(const Workspace& workspace, const std::string& journal) {
  WriteFileBytes(workspace.SimulatorSettings(), "[Simulator]\nTapeFile=\nJournalFile=" + journal + "\n");
}

ComPtr<IFiscalDevice> ConnectedAdapter(const HostModule& tarnvik) {
  ComPtr<IFiscalDevice> adapter = tarnvik.CreateDevice();
  LONG result = 0;
  if (Outcome(adapter->Connect(&result), result) != 0) throw std::runtime_error("the adapter does not connect");
  return adapter;
}

// A connected adapter in debug mode, its journal in the workspace (on the
// file system the receipt files are on).
ComPtr<IFiscalDevice> JournaledAdapter(const HostModule& tarnvik, const Workspace& workspace) {
  ComPtr<IFiscalDevice> adapter = tarnvik.CreateDevice();
  Variant folder = Variant::Text(workspace.Path() + "/");
  Variant on(true);
  if (FAILED(adapter->SetParamValue(0, folder.Ref())) || FAILED(adapter->SetParamValue(1, on.Ref()))) {
    throw std::runtime_error("the adapter takes no debug mode");
  }
  LONG result = 0;
  if (Outcome(adapter->Connect(&result), result) != 0) throw std::runtime_error("the adapter does not connect");
  return adapter;
}

// The journal of one sale on a connected adapter, connecting not in it.
std::string RecordSale(const std::string& journal, const HostModule& tarnvik, const Till& till) {
  ComPtr<IFiscalDevice> adapter = ConnectedAdapter(tarnvik);
  // The first sale settles whatever a fresh register does once.
  if (till.Sell(*adapter.Get()) != 0) throw std::runtime_error("the adapter sells nothing");
  const size_t before = ReadFileBytes(journal).size();
  if (till.Sell(*adapter.Get()) != 0) throw std::runtime_error("the adapter's second sale failed");
  return ReadFileBytes(journal).substr(before);
}

// The replay must make the simulator do what the adapter made it do, down
// to each value's type and whether it went by reference: the journal of the
// replay on a fresh driver object must be the adapter's, line for line.
void CheckReplay(const std::string& journal, const std::string& recorded) {
  AutomationObject driver = AutomationObject::Create(kDriverProgId);
  const size_t before = ReadFileBytes(journal).size();
  if (!DriverReplay(*driver.Raw(), ParseJournal(recorded)).Run()) throw std::runtime_error("the replay failed");
  const std::string replayed = ReadFileBytes(journal).substr(before);
  if (replayed != recorded) {
    throw std::runtime_error("the replay differs from the adapter's sale:\n" + recorded + "--- replayed:\n" + replayed);
  }
}

class AdapterScene {
 public:
  explicit AdapterScene(const Workspace& workspace) {
    if (FAILED(simulator_.RegisterServer())) throw std::runtime_error("cannot register the register simulator");
    const std::string journal = workspace.File("journal.txt");
    SetUpSimulator(workspace, journal);
    const std::string sale = RecordSale(journal, tarnvik_, till_);
    CheckReplay(journal, sale);
    SetUpSimulator(workspace, "");
    adapter_ = ConnectedAdapter(tarnvik_);
    journaled_ = JournaledAdapter(tarnvik_, workspace);
    saleDriver_.emplace(AutomationObject::Create(kDriverProgId));
    rawDriver_.emplace(AutomationObject::Create(kDriverProgId));
    adaptersDriver_.emplace(journal_);
    saleReplay_.emplace(*saleDriver_->Raw(), ParseJournal(sale));
    putReplay_.emplace(*rawDriver_->Raw(), std::vector<DriverAccess>{{AccessKind::Put, "Quantity", "1.5", true}});
    getReplay_.emplace(*rawDriver_->Raw(), std::vector<DriverAccess>{{AccessKind::Get, "CheckState", "0"}});
  }

  void BenchSale(benchmark::State& state) {
    Pairing pairing(state, "the sale through the adapter failed", "a replayed member access failed");
    for (auto _ : state) {
      if (!pairing.Record(Timed(1, [&] { return till_.Sell(*adapter_.Get()) == 0; }),
                          Timed(1, [&] { return saleReplay_->Run(); }))) {
        return;
      }
    }
    state.counters["member_calls"] = static_cast<double>(saleReplay_->Size());
  }

  void BenchSaleJournaled(benchmark::State& state) {
    Pairing pairing(state, "the sale with the journal on failed", "the sale with the journal off failed");
    for (auto _ : state) {
      if (!pairing.Record(Timed(1, [&] { return till_.Sell(*journaled_.Get()) == 0; }),
                          Timed(1, [&] { return till_.Sell(*adapter_.Get()) == 0; }))) {
        return;
      }
    }
  }

  void BenchPut(benchmark::State& state) {
    BenchMemberCall(
        state, [&] { adaptersDriver_->Put("Quantity"_member, Variant(1.5), true); }, *putReplay_);
  }

  void BenchGet(benchmark::State& state) {
    BenchMemberCall(
        state, [&] { benchmark::DoNotOptimize(adaptersDriver_->Get("CheckState"_member)); }, *getReplay_);
  }

 private:
  // One call is too short to time alone: each side is timed over a batch.
  static constexpr int kCallsPerBatch = 100;

  template <class Call>
  static void BenchMemberCall(benchmark::State& state, Call call, DriverReplay& raw) {
    Pairing pairing(state, "the late-bound call failed", "the raw Invoke failed");
    const auto lateBound = [&] {
      try {
        call();
        return true;
      } catch (const std::exception&) {
        return false;
      }
    };
    for (auto _ : state) {
      if (!pairing.Record(Timed(kCallsPerBatch, lateBound), Timed(kCallsPerBatch, [&] { return raw.Run(); }),
                          kCallsPerBatch)) {
        return;
      }
    }
  }

  HostModule simulator_{kSimulatorModule};
  HostModule tarnvik_{"Tarnvik.xhw"};
  Till till_;
  ComPtr<IFiscalDevice> adapter_;
  ComPtr<IFiscalDevice> journaled_;
  // Driver objects of their own, made once the simulator's journal is
  // switched off; the adapter's driver class with debug mode off.
  DebugJournal journal_;
  std::optional<AutomationObject> saleDriver_;
  std::optional<AutomationObject> rawDriver_;
  std::optional<AtolDriver> adaptersDriver_;
  std::optional<DriverReplay> saleReplay_;
  std::optional<DriverReplay> putReplay_;
  std::optional<DriverReplay> getReplay_;
};

}  // namespace

void RegisterAdapterBenchmarks(const Workspace& workspace) {
  auto scene = std::make_shared<AdapterScene>(workspace);
  benchmark::RegisterBenchmark("adapter/sale", [scene](benchmark::State& state) {
    scene->BenchSale(state);
  })->UseManualTime();
  benchmark::RegisterBenchmark("adapter/sale_journal", [scene](benchmark::State& state) {
    scene->BenchSaleJournaled(state);
  })->UseManualTime();
  benchmark::RegisterBenchmark("driver_call/put", [scene](benchmark::State& state) {
    scene->BenchPut(state);
  })->UseManualTime();
  benchmark::RegisterBenchmark("driver_call/get", [scene](benchmark::State& state) {
    scene->BenchGet(state);
  })->UseManualTime();
}
