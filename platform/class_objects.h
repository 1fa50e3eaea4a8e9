// A class object registered for this process only, under the class that a
// ProgID names: while it lives, every object of that class created in this
// process, by any module, comes from its factory, before any server the
// class registry names. The registry itself is left untouched.
// (CoRegisterClassObject and CoRevokeClassObject of the runtime.)
#pragma once

#include <string_view>

#include "platform/com.h"

class ProcessClassObject {
 public:
  // Throws ComError: CO_E_CLASSSTRING when no class is registered under
  // `progId`. The factory must outlive this registration.
  ProcessClassObject(std::string_view progId, IClassFactory& factory);
  ~ProcessClassObject();
  ProcessClassObject(const ProcessClassObject&) = delete;
  ProcessClassObject& operator=(const ProcessClassObject&) = delete;

 private:
  DWORD cookie_ = 0;
};
