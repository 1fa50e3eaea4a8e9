// System call failures as the rest of the platform layer reports them.
#pragma once

#include <string>

// Throws a ComError for the failure in errno: the status a Windows caller
// gets for the same cause (HRESULT_FROM_WIN32 of the Win32 error of that
// meaning; E_UNEXPECTED for one without), and `what` with the system's
// wording after it.
[[noreturn]] void ThrowErrno(const std::string& what);
