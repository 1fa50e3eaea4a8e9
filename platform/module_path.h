// The full path of the shared library (or executable) this code is in, in
// the platform's own form for paths (system_path.h).
#pragma once

#include <string>

std::string ThisModulePath();
