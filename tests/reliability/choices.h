// Where a random operation sequence takes its decisions from: a seeded
// generator for the test suite and the soak, or the bytes of a fuzzer input
// (the sequence ends when they run out).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <span>

class Choices {
 public:
  virtual ~Choices() = default;
  // A number in [0, bound); 0 when bound is 0 or the choices ran out.
  virtual uint32_t Below(uint32_t bound) = 0;
  virtual bool Exhausted() const = 0;

  bool OneIn(uint32_t n) { return Below(n) == 0; }
  template <class T>
  const T& Pick(std::initializer_list<T> options) {
    return options.begin()[Below(static_cast<uint32_t>(options.size()))];
  }
  template <class T>
  const T& Pick(std::span<const T> options) {
    return options[Below(static_cast<uint32_t>(options.size()))];
  }
};

class RandomChoices final : public Choices {
 public:
  explicit RandomChoices(uint64_t seed) : engine_(seed) {}
  uint32_t Below(uint32_t bound) override {
    return bound == 0 ? 0 : std::uniform_int_distribution<uint32_t>(0, bound - 1)(engine_);
  }
  bool Exhausted() const override { return false; }

 private:
  std::mt19937_64 engine_;
};

class ByteChoices final : public Choices {
 public:
  explicit ByteChoices(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint32_t Below(uint32_t bound) override {
    if (bound <= 1 || next_ >= bytes_.size()) {
      if (bound > 1) next_ = bytes_.size() + 1;  // asked past the end
      return 0;
    }
    // One byte for small choices, two for larger ones.
    uint32_t value = bytes_[next_++];
    if (bound > 256 && next_ < bytes_.size()) value = value << 8 | bytes_[next_++];
    return value % bound;
  }
  bool Exhausted() const override { return next_ > bytes_.size(); }

 private:
  std::span<const uint8_t> bytes_;
  std::size_t next_ = 0;
};
