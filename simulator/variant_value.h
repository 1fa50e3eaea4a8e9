// Values between the caller's VARIANTs and the register. Callers pass
// values by value or by reference (VT_BYREF, also to a VARIANT); the
// register sees only the value.
#pragma once

#include "platform/com.h"
#include "simulator/members.h"
#include "simulator/register_value.h"

// A by-value view of `given` with any reference followed. The view borrows
// the caller's data and must not be cleared. A reference the simulator
// cannot follow gives VT_ERROR, which converts to nothing.
VARIANT ValueView(const VARIANT& given);

// The value as the caller passed it, for the journal (texts as UTF-8).
RegisterValue GivenValue(const VARIANT& view);

// The value converted to a member's type by the platform's rules; throws a
// ComError (DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW) when it does not convert.
RegisterValue MemberValue(const VARIANT& view, ValueType type);

// Fills an empty VARIANT the caller owns.
void ToVariant(const RegisterValue& value, VARIANT* out);
