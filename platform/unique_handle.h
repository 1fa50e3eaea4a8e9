// Owns one resource that is not a component object (a file descriptor, a
// loaded library, the texts of an EXCEPINFO) and frees it exactly once, when
// it goes or is given a new value. `Traits` says what the resource is:
//
//   struct Traits {
//     using Value = ...;                      // the handle as the system gives it
//     static Value Empty();                   // the value that holds nothing
//     static bool IsEmpty(const Value&);
//     static void Free(Value&);               // called only for a value that is not empty
//   };
#pragma once

#include <utility>

template <class Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() = default;
  explicit UniqueHandle(Value value) : value_(std::move(value)) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  const Value& Get() const { return value_; }
  explicit operator bool() const { return !Traits::IsEmpty(value_); }

  // For a call that fills the handle in: frees what is held first.
  Value* Put() {
    Reset();
    return &value_;
  }
  // Hands the resource over; this holds nothing afterwards.
  Value Release() { return std::exchange(value_, Traits::Empty()); }
  void Reset(Value value = Traits::Empty()) {
    Value old = std::exchange(value_, std::move(value));
    if (!Traits::IsEmpty(old)) Traits::Free(old);
  }

 private:
  Value value_ = Traits::Empty();
};
