// The component object that stands in for the driver object "AddIn.FprnM8":
// a plain IDispatch over the simulated register. Each access is checked
// against the faults a test set up, carried out, and written to the journal.
#pragma once

#include "module/com_object.h"
#include "platform/com.h"
#include "simulator/faults.h"
#include "simulator/fiscal_register.h"
#include "simulator/journal.h"
#include "simulator/settings.h"

class RegisterObject final : public ComObject<IDispatch> {
 public:
  // Reads the settings file: files, register state and faults.
  RegisterObject();

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* excepInfo, UINT* argErr) override;

 private:
  ~RegisterObject() override = default;

  HRESULT Read(Member member, Access access, VARIANT* result, EXCEPINFO* excepInfo);
  HRESULT Write(Member member, const VARIANT& argument, EXCEPINFO* excepInfo, UINT* argErr);
  // The member's value, or the method's result; throws for a raise fault.
  RegisterValue Perform(Member member);
  void Store(Member member, RegisterValue value);
  void RaiseIfFaulted(Member member) const;

  SimulatorSettings settings_;
  Faults faults_;
  Journal journal_;
  FiscalRegister register_;
};
