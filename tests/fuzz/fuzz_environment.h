// What every fuzz target shares: a scratch folder of its own for settings,
// receipt files and the class registry, the environment the modules read,
// the input read as a stream of decisions, and how a broken promise ends the
// run (abort, so libFuzzer saves the input that broke it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "tests/support/host_module.h"

// Sets the environment up once: scratch folder, settings and registry in
// it, the built modules, a fixed clock and the C locale; returns the folder.
const std::string& FuzzScratch();
// Empties the scratch folder's work area (receipt and settings files) so
// every input starts from the same state. The working folder stays where it
// is: libFuzzer reads its corpus from paths relative to it.
void ResetScratch();
// The register simulator, loaded and registered as the ATOL driver.
const HostModule& RegisteredSimulator();

[[noreturn]] void BrokenPromise(const std::string& what);

// The fuzzer's input read front to back; past its end every read gives
// zeros and empty texts.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : bytes_(data, size) {}
  bool Empty() const { return next_ >= bytes_.size(); }
  uint8_t Byte() { return Empty() ? 0 : bytes_[next_++]; }
  uint32_t Below(uint32_t bound) {
    if (bound <= 1) return 0;
    uint32_t value = Byte();
    if (bound > 256) value = value << 8 | Byte();
    if (bound > 65536) value = value << 16 | Byte() << 8 | Byte();
    return value % bound;
  }
  template <class T>
  T Raw() {
    T value{};
    auto* out = reinterpret_cast<uint8_t*>(&value);
    for (std::size_t i = 0; i < sizeof value; ++i) out[i] = Byte();
    return value;
  }
  // Up to `most` bytes, as many as the next byte says.
  std::string Bytes(std::size_t most) {
    std::size_t count = Below(static_cast<uint32_t>(most + 1));
    std::string text;
    while (count-- > 0 && !Empty()) text += static_cast<char>(Byte());
    return text;
  }

 private:
  std::span<const uint8_t> bytes_;
  std::size_t next_ = 0;
};
