// The texts a failed IDispatch::Invoke hands back in its EXCEPINFO belong
// to the caller: this owns them, filled in through Put(), and frees them.
#pragma once

#include "platform/com.h"
#include "platform/unique_handle.h"

struct ExcepInfoTraits {
  using Value = EXCEPINFO;
  static EXCEPINFO Empty() { return EXCEPINFO{}; }
  static bool IsEmpty(const EXCEPINFO& info) {
    return !info.bstrSource && !info.bstrDescription && !info.bstrHelpFile && !info.pfnDeferredFillIn;
  }
  static void Free(EXCEPINFO& info) {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
};
using ExceptionInfo = UniqueHandle<ExcepInfoTraits>;
