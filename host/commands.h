// The xhw commands. Each returns the process exit status; a module that
// cannot be used throws a ModuleError.
#pragma once

#include <ostream>
#include <string>

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // a call failed, or the module cannot be used
inline constexpr int kExitUsage = 2;   // a bad command line or a bad script; nothing was called

// The discovery answers of the module.
int ShowInfo(const std::string& modulePath, std::ostream& out);

// Checks the whole script first and runs it only when every line is good.
// `scriptPath` "-" reads the script from standard input.
int RunScriptFile(const std::string& modulePath, const std::string& scriptPath, bool late, std::ostream& out,
                  std::ostream& err);

// DllRegisterServer, or DllUnregisterServer when `unregister`.
int RegisterModule(const std::string& modulePath, bool unregister, std::ostream& out);
