// The emulator's CloseReceipt of 1, 10 and 100 lines into a regular file,
// each paired with the floor the file system sets for it: opening a file
// for append, one write of the very bytes that close wrote, closing it. The
// lines and the payment before each close are not timed.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/paired.h"
#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"
#include "bench/scenes.h"
#include "bench/till.h"
#include "platform/variant.h"

namespace {

constexpr int kLineCounts[] = {1, 10, 100};
// Both files are emptied now and then, between timed steps, so that neither
// grows without bound and both stay about the same size.
constexpr std::uintmax_t kMostFileBytes = 4 << 20;

void KeepSmall(const std::string& path) {
  if (std::filesystem::file_size(path) > kMostFileBytes) std::filesystem::resize_file(path, 0);
}

bool AppendOnce(const std::string& path, const std::string& bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool whole = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return close(fd) == 0 && whole;
}

class EmulatorScene {
 public:
  explicit EmulatorScene(const Workspace& workspace)
      : receipts_(workspace.File("receipts.txt")), floor_(workspace.File("floor.txt")) {
    device_ = selvane_.CreateDevice();
    Variant fileName = Variant::Text(receipts_);
    LONG result = 0;
    if (FAILED(device_->SetParamValue(0, fileName.Ref())) || Outcome(device_->Connect(&result), result) != 0) {
      throw std::runtime_error("the emulator does not take its receipt file");
    }
  }

  // The bytes a close of `lines` lines appends, from one close made now.
  std::string ClosedReceipt(int lines) {
    const auto before = std::filesystem::exists(receipts_) ? std::filesystem::file_size(receipts_) : 0;
    if (till_.RingUp(*device_.Get(), lines) != 0 || !Close()) {
      throw std::runtime_error("the emulator closes no receipt");
    }
    return ReadFileBytes(receipts_).substr(before);
  }

  void Bench(benchmark::State& state, int lines, const std::string& floorBytes) {
    Pairing pairing(state, "CloseReceipt failed", "the floor's write failed");
    for (auto _ : state) {
      if (till_.RingUp(*device_.Get(), lines) != 0) return state.SkipWithError("a sale line or the payment failed");
      if (!pairing.Record(Timed(1, [&] { return Close(); }),
                          Timed(1, [&] { return AppendOnce(floor_, floorBytes); }))) {
        return;
      }
      KeepSmall(receipts_);
      KeepSmall(floor_);
    }
  }

 private:
  bool Close() {
    LONG result = 0;
    return Outcome(device_->CloseReceipt(&result), result) == 0;
  }

  std::string receipts_;
  std::string floor_;
  HostModule selvane_{"Selvane.xhw"};
  ComPtr<IFiscalDevice> device_;
  Till till_;
};

}  // namespace

void RegisterEmulatorBenchmarks(const Workspace& workspace) {
  auto scene = std::make_shared<EmulatorScene>(workspace);
  for (int lines : kLineCounts) {
    benchmark::RegisterBenchmark(("emulator/close/" + std::to_string(lines)).c_str(),
                                 [scene, lines, bytes = scene->ClosedReceipt(lines)](benchmark::State& state) {
                                   scene->Bench(state, lines, bytes);
                                 })
        ->UseManualTime();
  }
}
