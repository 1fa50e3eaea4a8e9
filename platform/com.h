// The component-runtime types every module and host shares.
// On Windows they come from the system headers; elsewhere our own
// definitions reproduce the Windows names and binary layout, so a host and
// the modules can pass interfaces, BSTRs and VARIANTs to each other.
#pragma once

#ifdef _WIN32
#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>  // SELFREG_E_CLASS

// The thread's error information, handed over and cleared (GetErrorInfo).
HRESULT GetThreadErrorInfo(IErrorInfo** info);

// The MinGW headers declare the source of these two without const, though
// neither writes it; these let const sources through as on every platform.
inline HRESULT VariantChangeType(VARIANTARG* destination, const VARIANTARG* source, USHORT flags, VARTYPE type) {
  return ::VariantChangeType(destination, const_cast<VARIANTARG*>(source), flags, type);
}
inline HRESULT VariantCopy(VARIANTARG* destination, const VARIANTARG* source) {
  return ::VariantCopy(destination, const_cast<VARIANTARG*>(source));
}
#else
#include "platform/linux/com_types.h"
#endif

#include <string>
#include <string_view>

// UTF-16 text as the interface carries it (char16_t on Linux, wchar_t on Windows).
using OleString = std::basic_string<OLECHAR>;
using OleStringView = std::basic_string_view<OLECHAR>;

inline bool SameGuid(const GUID& a, const GUID& b) {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
         std::char_traits<char>::compare(reinterpret_cast<const char*>(a.Data4),
                                         reinterpret_cast<const char*>(b.Data4), 8) == 0;
}
