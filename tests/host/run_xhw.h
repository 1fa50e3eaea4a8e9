// Runs the built xhw as a child process, the way a person runs it from a
// shell: in a given folder, with the environment of the test.
#pragma once

#include <string>
#include <vector>

struct XhwRun {
  int exitStatus = -1;  // -1 when xhw did not exit normally
  std::string out;
  std::string err;
};

// xhw from SORVIN_MODULE_DIR, started in `folder`.
XhwRun RunXhw(const std::vector<std::string>& arguments, const std::string& folder);

// The built module's full path, for the command line.
std::string ModulePath(const std::string& fileName);
