#include "host/commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>

#include "host/device_caller.h"
#include "host/output.h"
#include "host/plugin_module.h"
#include "host/script.h"
#include "host/script_runner.h"
#include "platform/error.h"
#include "platform/system_path.h"
#include "platform/unique_handle.h"

namespace {

std::string Quoted(const std::optional<std::string>& text) { return text ? EscapeText(*text, true) : "null"; }

struct StreamTraits {
  using Value = std::FILE*;
  static std::FILE* Empty() { return nullptr; }
  static bool IsEmpty(std::FILE* stream) { return stream == nullptr; }
  static void Free(std::FILE* stream) { std::fclose(stream); }
};

// The script's text, or why there is none. Read through the C library,
// which, unlike a stream of the C++ library, tells a failed read (a folder
// given as the script) from the end of the file.
std::optional<std::string> ReadScript(const std::string& path, std::string& problem) {
  const UniqueHandle<StreamTraits> file(path == "-" ? nullptr : OpenForReading(path));
  std::FILE* stream = path == "-" ? stdin : file.Get();
  if (!stream) {
    problem = std::strerror(errno);
    return std::nullopt;
  }
  std::string text;
  char buffer[8192];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, stream)) text.append(buffer, got);
  if (std::ferror(stream)) {
    problem = std::strerror(errno);
    return std::nullopt;
  }
  return text;
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
  std::string problem;
  const std::optional<std::string> text = ReadScript(scriptPath, problem);
  if (!text) {
    err << "xhw: cannot read the script " << SystemPathToUtf8(scriptPath) << ": " << problem << '\n';
    return kExitUsage;
  }
  const ParsedScript script = ParseScript(*text);
  if (!script.errors.empty()) {
    for (const ScriptError& error : script.errors) {
      err << SystemPathToUtf8(scriptPath) << ':' << error.line << ": " << error.message << '\n';
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
