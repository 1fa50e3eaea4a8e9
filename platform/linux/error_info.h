// Error information objects where the system has no runtime to make them.
#pragma once

#include "platform/com.h"
#include "platform/com_ptr.h"

// A new error information object with its own copies of the texts.
// Throws std::bad_alloc.
ComPtr<IErrorInfo> MakeErrorInfo(OleStringView source, OleStringView description);
