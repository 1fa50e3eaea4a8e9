// Each operation's dispatch id by its name, from contract/operations.def,
// for tables that say something about particular operations.
#pragma once

#include "platform/com.h"

enum class OperationId : DISPID {
#define FISCAL_OPERATION(id, name, ...) name = id,
#define FISCAL_COMMAND(id, name, ...) name = id,
#include "contract/operations.def"
};

inline constexpr DISPID kOperationCount = 0
#define FISCAL_OPERATION(...) +1
#define FISCAL_COMMAND(...) +1
#include "contract/operations.def"
    ;
