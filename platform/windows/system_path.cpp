#include "platform/system_path.h"

#include <memory>

#include "platform/codepage.h"
#include "platform/com.h"  // windows.h, with CommandLineToArgvW

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                &LocalFree);
  std::vector<std::string> result;
  for (int i = 1; arguments && i < count; ++i) result.push_back(Utf16ToAnsi(arguments.get()[i]));
  return result;
}

std::FILE* OpenForReading(const std::string& path) { return _wfopen(AnsiToUtf16(path).c_str(), L"rb"); }

std::string SystemPathToUtf8(const std::string& path) { return AnsiToUtf8(path); }
