// Owning BSTR and the conversions between interface text and module text.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/com.h"

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(OleStringView text);
  // Takes over a BSTR the caller owns.
  static Bstr Attach(BSTR raw) {
    Bstr b;
    b.value_ = raw;
    return b;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    std::swap(value_, other.value_);
    return *this;
  }
  ~Bstr() { SysFreeString(value_); }

  BSTR Get() const { return value_; }
  BSTR Detach() { return std::exchange(value_, nullptr); }
  BSTR* Put() {
    SysFreeString(std::exchange(value_, nullptr));
    return &value_;
  }
  OleStringView View() const;

 private:
  BSTR value_ = nullptr;
};

// A null BSTR is the empty text.
OleStringView BstrView(BSTR text);

// Interface text (UTF-16) to module text (Windows-1251) and back.
std::string BstrToAnsi(BSTR text);
Bstr AnsiToBstr(std::string_view text);
