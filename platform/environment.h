// The process's environment variables as the process holds them now, so a
// value that a program sets for itself after it started counts as well.
#pragma once

#include <string>

// The value as module text (Windows-1251); empty when the variable is not
// set, which an empty value means as well.
std::string EnvironmentVariable(const char* name);
