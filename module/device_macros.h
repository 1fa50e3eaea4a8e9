// The module's own type for each role of contract/operations.def, so that
// Device and its classes declare the operations from the same list as the
// interface.
#pragma once

#include <cstdint>
#include <string>

#include "contract/operation_macros.h"
#include "platform/error.h"
#include "platform/variant.h"

#define DEVICE_PARAMETERS(...) FISCAL_EACH(DEVICE_IN, __VA_ARGS__)

#define DEVICE_IN(role, name) DEVICE_IN_##role name
#define DEVICE_IN_Integer int32_t
#define DEVICE_IN_Money double
#define DEVICE_IN_Quantity double
#define DEVICE_IN_Price double
#define DEVICE_IN_Text const std::string&
#define DEVICE_IN_Personal const std::string&
#define DEVICE_IN_Variant const VARIANT&

#define DEVICE_OUT(role, name) DEVICE_OUT_##role
#define DEVICE_OUT_Integer int32_t
#define DEVICE_OUT_ResultCode int32_t
#define DEVICE_OUT_Number double
#define DEVICE_OUT_DateTime DATE
#define DEVICE_OUT_Text std::string
#define DEVICE_OUT_InterfaceText OleString
#define DEVICE_OUT_Personal std::string
#define DEVICE_OUT_Variant Variant
