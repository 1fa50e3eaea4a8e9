// Owning VARIANT and typed access to it. Conversions follow the platform's
// own rules (VariantChangeType); a value that does not convert throws a
// ComError with DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW.
#pragma once

#include <string>
#include <string_view>

#include "platform/com.h"

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  explicit Variant(LONG number);
  explicit Variant(double number);
  explicit Variant(bool flag);
  // Text variant from module text (Windows-1251).
  static Variant Text(std::string_view ansi);
  static Variant Copy(const VARIANT& source);
  // Takes over a VARIANT the caller owns.
  static Variant Attach(VARIANT& raw);
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() { VariantClear(&value_); }

  VARIANT* Get() { return &value_; }
  const VARIANT& Ref() const { return value_; }
  VARTYPE Type() const { return value_.vt; }
  // Moves the value into a raw VARIANT the caller owns (cleared first).
  void DetachTo(VARIANT* out);

  LONG ToInt() const;
  double ToDouble() const;
  bool ToBool() const;
  std::string ToAnsi() const;
  // As interface text, every character kept (a driver's texts may hold any).
  OleString ToUtf16() const;

 private:
  VARIANT value_;
};

// Typed reads of a borrowed VARIANT (by value or by reference).
LONG VariantToInt(const VARIANT& value);
double VariantToDouble(const VARIANT& value);
bool VariantToBool(const VARIANT& value);
std::string VariantToAnsi(const VARIANT& value);
OleString VariantToUtf16(const VARIANT& value);
