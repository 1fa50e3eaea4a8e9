// The full path of the shared library (or executable) this code is in.
#pragma once

#include <string>

std::string ThisModulePath();
