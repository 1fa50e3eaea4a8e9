#include "platform/class_objects.h"

#include "platform/codepage.h"
#include "platform/error.h"

namespace {

void Check(HRESULT status) {
  if (FAILED(status)) throw ComError(status, StatusMessage(status));
}

}  // namespace

ProcessClassObject::ProcessClassObject(std::string_view progId, IClassFactory& factory) {
  CLSID clsid;
  Check(CLSIDFromProgID(AnsiToUtf16(progId).c_str(), &clsid));
  Check(CoRegisterClassObject(clsid, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_));
}

ProcessClassObject::~ProcessClassObject() { CoRevokeClassObject(cookie_); }
