// xhw: tries a hardware plug-in module without the trade application.
#include <iostream>
#include <string>
#include <vector>

#include "host/commands.h"
#include "host/doctor.h"
#include "host/module_loader.h"
#include "host/replay.h"
#include "platform/system_path.h"

namespace {

constexpr const char* kSynopsis =
    "usage: xhw info MODULE\n"
    "       xhw run [--late] MODULE SCRIPT\n"
    "       xhw register MODULE\n"
    "       xhw unregister MODULE\n"
    "       xhw replay JOURNAL [MODULE]\n"
    "       xhw doctor [--connect] [--report FILE] [--english]\n";

constexpr const char* kHelp =
    "\n"
    "info        prints the module's device classes\n"
    "run         creates the module's device and runs SCRIPT (\"-\" reads standard input):\n"
    "            one operation a line with its arguments, e.g. SaleItem 1 \"Bread\" 2 45.5 1 4 3;\n"
    "            arguments: integers, numbers with a point, \"texts\" (escapes \\\" \\\\ \\n \\r \\t),\n"
    "            true/false; # starts a comment; --late calls every operation by name through IDispatch\n"
    "register    calls the module's DllRegisterServer (unregister: DllUnregisterServer)\n"
    "replay      plays a Tarnvik debug journal back on MODULE (default: the Tarnvik beside xhw), the\n"
    "            journal standing in for the driver \"AddIn.FprnM8\"; stops at the first driver access\n"
    "            that differs, with its line\n"
    "doctor      checks the installation as programs of both word sizes see it and says what to do\n"
    "            (in Russian; --english): the modules, the register driver, the settings files;\n"
    "            --connect also asks the register (Connect, GetDeviceStatus; nothing fiscal);\n"
    "            --report FILE writes the same for a support request; exit status 0 when a program\n"
    "            of xhw's word size can work, 1 when it cannot, 2 when the check could not run\n"
    "\n"
    "Exit status: 0 success, 1 a call failed or the module cannot be used, 2 bad usage or script.\n";

int Usage() {
  std::cerr << kSynopsis << "(xhw --help tells more)\n";
  return kExitUsage;
}

int Dispatch(const std::string& command, const std::vector<std::string>& args) {
  if (command == "info" && args.size() == 1) return ShowInfo(args[0], std::cout);
  if ((command == "register" || command == "unregister") && args.size() == 1) {
    return RegisterModule(args[0], command == "unregister", std::cout);
  }
  if (command == "replay" && (args.size() == 1 || args.size() == 2)) {
    return ReplayJournal(args[0], args.size() == 2 ? args[1] : TarnvikBesideXhw(), std::cout, std::cerr);
  }
  if (command == "doctor") return Doctor(args, std::cout, std::cerr);
  if (command == "run") {
    bool late = false;
    std::vector<std::string> positional;
    for (const std::string& arg : args) {
      if (arg == "--late") {
        late = true;
      } else if (arg.starts_with("--")) {
        return Usage();
      } else {
        positional.push_back(arg);
      }
    }
    if (positional.size() == 2) return RunScriptFile(positional[0], positional[1], late, std::cout, std::cerr);
  }
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  const HostRuntime runtime;
  const std::vector<std::string> arguments = ProgramArguments(argc, argv);
  if (arguments.empty()) return Usage();
  const std::string& command = arguments.front();
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kSynopsis << kHelp;
    return kExitOk;
  }
  try {
    return Dispatch(command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
  } catch (const std::exception& e) {
    // A module that cannot be loaded or lacks an export (ModuleError), or
    // anything else that stops the host itself.
    std::cerr << "xhw: " << e.what() << '\n';
    return kExitFailed;
  }
}
