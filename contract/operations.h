// The table of the 42 operations: name, dispatch id (the slot number,
// 1 = GetDeviceStatus ... 42 = SetTaxSystem), argument kinds, and a call
// that runs the operation through the vtable with its arguments given as
// VARIANTs. Dispatch by name, the xhw script host and the type library all
// work from this one table.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "contract/fiscal_device.h"

// ResultCode is an integer out value that is a result code (0 = success),
// after which the host reads GetResultText.
enum class ValueKind { None, Integer, ResultCode, Number, DateTime, Text, Variant };

// The most arguments any operation takes (SaleItemExt, ReturnItemExt), so a
// caller may gather the arguments of any of them in an array of this size.
// The table checks that none takes more.
inline constexpr std::size_t kMostOperationArguments = 8;

struct Operation {
  std::string_view name;
  DISPID id;
  std::span<const ValueKind> arguments;
  ValueKind out;
  // An argument or the out value is the customer's contact, which journals
  // show masked.
  bool holdsPersonalData;
  // Converts `args` (in call order) to the parameter types and calls the
  // method; the out value goes to `result` (may be null). A conversion
  // failure returns DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW and sets
  // `badArgument` to the argument's index; otherwise the method's status.
  HRESULT (*call)(IFiscalDevice& device, const VARIANT* args, VARIANT* result, UINT& badArgument);
};

std::span<const Operation> Operations();
// Case-insensitive lookup; null when there is no such operation.
const Operation* FindOperation(OleStringView name);
const Operation* FindOperation(std::string_view name);
const Operation* FindOperation(DISPID id);
