#include "platform/bstr.h"

#include <cstdint>
#include <new>

#include "platform/codepage.h"

Bstr::Bstr(OleStringView text) {
  if (text.size() > UINT32_MAX) throw std::bad_alloc();
  value_ = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!value_) throw std::bad_alloc();
}

OleStringView Bstr::View() const { return BstrView(value_); }

OleStringView BstrView(BSTR text) { return text ? OleStringView(text, SysStringLen(text)) : OleStringView(); }

std::string BstrToAnsi(BSTR text) { return Utf16ToAnsi(BstrView(text)); }

Bstr AnsiToBstr(std::string_view text) { return Bstr(AnsiToUtf16(text)); }
