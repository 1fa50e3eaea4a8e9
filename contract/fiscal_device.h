// IFiscalDevice: the host's interface to a fiscal device. A dual interface:
// IUnknown and IDispatch first, then the 42 operations of
// contract/operations.def in its order. Each returns a status; its business
// value comes back through the last argument.
#pragma once

#include "contract/operation_macros.h"
#include "platform/com.h"

inline constexpr IID IID_IFiscalDevice = {
    0x14216C35, 0xAF7C, 0x4C5D, {0xB2, 0xAA, 0x59, 0xCC, 0xF9, 0xA2, 0xEE, 0xD1}};

// The host's type library that defines the interface.
inline constexpr GUID LIBID_SorvinTradeHardware = {
    0xADF57D07, 0x18BA, 0x4F03, {0x87, 0x95, 0xCA, 0x91, 0xC8, 0x3B, 0xC1, 0x50}};

struct IFiscalDevice : IDispatch {
#define FISCAL_OPERATION(id, name, out, ...) \
  virtual HRESULT STDMETHODCALLTYPE name FISCAL_COM_PARAMETERS(out, __VA_ARGS__) = 0;
#define FISCAL_COMMAND(id, name, ...) virtual HRESULT STDMETHODCALLTYPE name FISCAL_COM_COMMAND_PARAMETERS(__VA_ARGS__) = 0;
#include "contract/operations.def"
};
