// Error information objects from the platform's runtime.
#pragma once

#include "platform/com.h"
#include "platform/com_ptr.h"

// A new error information object with copies of the texts, or null when
// the runtime cannot make one. Throws std::bad_alloc.
ComPtr<IErrorInfo> MakeErrorInfo(OleStringView source, OleStringView description);
