#include "host/commands.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>

#include "host/device_caller.h"
#include "host/output.h"
#include "host/plugin_module.h"
#include "host/script.h"
#include "host/script_runner.h"
#include "platform/error.h"

namespace {

std::string Quoted(const std::optional<std::string>& text) { return text ? EscapeText(*text, true) : "null"; }

std::optional<std::string> ReadScript(const std::string& path) {
  if (path == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

int ShowInfo(const std::string& modulePath, std::ostream& out) {
  // A broken count must not flood the terminal.
  constexpr int32_t kMostClasses = 100;
  const PluginModule module(modulePath);
  const int32_t count = module.HardwareCount();
  out << "GetHardwareCount -> " << count << '\n';
  for (int32_t index = 0; index < count && index < kMostClasses; ++index) {
    out << "GetHardwareName " << index << " -> " << Quoted(module.HardwareName(index)) << '\n';
    out << "GetHardwareClassString " << index << " -> " << Quoted(module.HardwareClassString(index)) << '\n';
  }
  return kExitOk;
}

int RunScriptFile(const std::string& modulePath, const std::string& scriptPath, bool late, std::ostream& out,
                  std::ostream& err) {
  const std::optional<std::string> text = ReadScript(scriptPath);
  if (!text) {
    err << "xhw: cannot read the script " << scriptPath << '\n';
    return kExitUsage;
  }
  const ParsedScript script = ParseScript(*text);
  if (!script.errors.empty()) {
    for (const ScriptError& error : script.errors) {
      err << scriptPath << ':' << error.line << ": " << error.message << '\n';
    }
    return kExitUsage;
  }

  const PluginModule module(modulePath);
  bool succeeded = false;
  {  // The object is released here, before the module is asked whether it may unload.
    const ComPtr<IFiscalDevice> device = module.CreateDevice();
    std::unique_ptr<DeviceCaller> caller;
    if (late) {
      caller = std::make_unique<DispatchCaller>(*device.Get());
    } else {
      caller = std::make_unique<VtableCaller>(*device.Get(), module);
    }
    succeeded = RunScript(script.calls, *caller, out);
  }
  if (module.InUse()) err << "xhw: warning: the module is still in use after its object was released\n";
  return succeeded ? kExitOk : kExitFailed;
}

int RegisterModule(const std::string& modulePath, bool unregister, std::ostream& out) {
  const PluginModule module(modulePath);
  const HRESULT status = unregister ? module.UnregisterServer() : module.RegisterServer();
  out << (unregister ? "DllUnregisterServer" : "DllRegisterServer") << " -> "
      << (SUCCEEDED(status) ? "ok" : FormatFailure(status, StatusMessage(status))) << '\n';
  return SUCCEEDED(status) ? kExitOk : kExitFailed;
}
