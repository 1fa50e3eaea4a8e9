// What turns contract/operations.def into code: a map over an operation's
// (Role, Name) pairs, and the interface's own type for each role.
#pragma once

#include "contract/value_role.h"

// FISCAL_EACH(f, (R1, N1), (R2, N2)) is `f(R1, N1), f(R2, N2)`; nothing for
// no pairs. Each FISCAL_EXPAND rescans the text again, which lets the step
// call itself once per pair: enough for the longest argument list.
#define FISCAL_EACH(f, ...) __VA_OPT__(FISCAL_EXPAND(FISCAL_EACH_STEP(f, __VA_ARGS__)))
#define FISCAL_EACH_STEP(f, pair, ...) f pair __VA_OPT__(, FISCAL_EACH_AGAIN FISCAL_PARENS(f, __VA_ARGS__))
#define FISCAL_EACH_AGAIN() FISCAL_EACH_STEP
#define FISCAL_PARENS ()
#define FISCAL_EXPAND(...) FISCAL_EXPAND3(FISCAL_EXPAND3(FISCAL_EXPAND3(__VA_ARGS__)))
#define FISCAL_EXPAND3(...) FISCAL_EXPAND1(FISCAL_EXPAND1(FISCAL_EXPAND1(__VA_ARGS__)))
#define FISCAL_EXPAND1(...) __VA_ARGS__

// The parts of a (Role, Name) pair.
#define FISCAL_NAME(role, name) name
#define FISCAL_ROLE(role, name) ValueRole::role

// The interface's parameter lists: the arguments, then the out value's
// address.
#define FISCAL_COM_PARAMETERS(out, ...) (FISCAL_EACH(FISCAL_COM_IN, __VA_ARGS__) __VA_OPT__(, ) FISCAL_COM_OUT out)
#define FISCAL_COM_COMMAND_PARAMETERS(...) (FISCAL_EACH(FISCAL_COM_IN, __VA_ARGS__))

#define FISCAL_COM_IN(role, name) FISCAL_COM_IN_##role name
#define FISCAL_COM_IN_Integer LONG
#define FISCAL_COM_IN_Money double
#define FISCAL_COM_IN_Quantity double
#define FISCAL_COM_IN_Price double
#define FISCAL_COM_IN_Text BSTR
#define FISCAL_COM_IN_Personal BSTR
#define FISCAL_COM_IN_Variant VARIANT

#define FISCAL_COM_OUT(role, name) FISCAL_COM_OUT_##role* name
#define FISCAL_COM_OUT_Integer LONG
#define FISCAL_COM_OUT_ResultCode LONG
#define FISCAL_COM_OUT_Number double
#define FISCAL_COM_OUT_DateTime DATE
#define FISCAL_COM_OUT_Text BSTR
#define FISCAL_COM_OUT_InterfaceText BSTR
#define FISCAL_COM_OUT_Personal BSTR
#define FISCAL_COM_OUT_Variant VARIANT
