// An operation call as text, for the reports of the random runs.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "tests/support/host_module.h"

// "Name(arg, arg)", each argument as the platform converts it to text.
std::string CallText(std::string_view operation, std::initializer_list<Arg> args);
