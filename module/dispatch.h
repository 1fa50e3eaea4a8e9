// IDispatch for IFiscalDevice by name: dispatch ids and argument types come
// from the operation table, calls go through the object's own vtable.
#pragma once

#include "contract/fiscal_device.h"

HRESULT GetOperationIds(LPOLESTR* names, UINT count, DISPID* ids);

HRESULT InvokeOperation(IFiscalDevice& device, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excepInfo, UINT* argErr);
