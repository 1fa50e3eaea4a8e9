#include "host/plugin_module.h"

#include "host/output.h"
#include "module/exports.h"
#include "platform/bstr.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/guid.h"
#include "platform/system_path.h"

namespace {

using CountFunction = int32_t SORVIN_CALL();
using TextFunction = const char* SORVIN_CALL(int32_t);
using GetClassObjectFunction = HRESULT SORVIN_CALL(REFCLSID, REFIID, void**);
using ServerFunction = HRESULT SORVIN_CALL();

std::optional<std::string> Utf8Text(const char* ansi) {
  if (!ansi) return std::nullopt;
  return AnsiToUtf8(ansi);
}

}  // namespace

void* PluginModule::Require(const char* name) const {
  void* symbol = library_.Symbol(name);
  if (!symbol) throw ModuleError(SystemPathToUtf8(library_.Path()) + " has no export " + name);
  return symbol;
}

int32_t PluginModule::HardwareCount() const { return Export<CountFunction>("GetHardwareCount")(); }

std::optional<std::string> PluginModule::HardwareName(int32_t index) const {
  return Utf8Text(Export<TextFunction>("GetHardwareName")(index));
}

std::optional<std::string> PluginModule::HardwareClassString(int32_t index) const {
  return Utf8Text(Export<TextFunction>("GetHardwareClassString")(index));
}

HRESULT PluginModule::GetClassObject(REFCLSID classId, REFIID interfaceId, void** object) const {
  return Export<GetClassObjectFunction>("DllGetClassObject")(classId, interfaceId, object);
}

ComPtr<IClassFactory> PluginModule::Factory() const {
  const std::optional<std::string> classString = HardwareClassString(0);
  const std::optional<GUID> classId = classString ? ParseGuid(*classString) : std::nullopt;
  if (!classId) {
    throw ModuleError("GetHardwareClassString gives no class id: " +
                      (classString ? EscapeText(*classString, true) : std::string("null")));
  }
  ComPtr<IClassFactory> factory;
  const HRESULT status = GetClassObject(*classId, IID_IClassFactory, factory.PutVoid());
  if (FAILED(status) || !factory)
    throw ModuleError("DllGetClassObject " + FormatFailure(status, StatusMessage(status)));
  return factory;
}

ComPtr<IFiscalDevice> PluginModule::CreateDevice() const {
  ComPtr<IFiscalDevice> device;
  const HRESULT status = Factory()->CreateInstance(nullptr, IID_IFiscalDevice, device.PutVoid());
  if (FAILED(status) || !device) {
    throw ModuleError("CreateInstance of IFiscalDevice " + FormatFailure(status, FailureMessage(status)));
  }
  return device;
}

HRESULT PluginModule::RegisterServer() const { return Export<ServerFunction>("DllRegisterServer")(); }
HRESULT PluginModule::UnregisterServer() const { return Export<ServerFunction>("DllUnregisterServer")(); }
HRESULT PluginModule::CanUnloadNow() const { return Export<ServerFunction>("DllCanUnloadNow")(); }

// A module without the export cannot be asked, and counts as not in use.
bool PluginModule::InUse() const {
  auto* canUnloadNow = reinterpret_cast<ServerFunction*>(library_.Symbol("DllCanUnloadNow"));
  return canUnloadNow && canUnloadNow() == S_FALSE;
}

std::string PluginModule::FailureMessage(HRESULT status) const {
  if (ComPtr<IErrorInfo> info = TakeErrorInfo(library_)) {
    Bstr description;
    if (SUCCEEDED(info->GetDescription(description.Put())) && !description.View().empty()) {
      return AnsiToUtf8(BstrToAnsi(description.Get()));
    }
  }
  return StatusMessage(status);
}
