// Windows failure codes as the rest of the platform layer reports them.
#pragma once

#include <string>

#include "platform/com.h"

// A Win32 error code as a failure status. Code 0 (a function that failed
// without saying why) still gives a failure, never S_OK.
HRESULT FailureStatus(DWORD code);
// The calling thread's last error, as FailureStatus gives it.
HRESULT LastErrorStatus();

// The system's wording for a status in the user's language, as interface
// text, every character kept; StatusMessage's own when the system has none.
OleString SystemText(HRESULT status);
// The same as Windows-1251 text.
std::string SystemMessage(HRESULT status);
