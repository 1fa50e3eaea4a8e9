// A member's value inside the simulator: nothing, an integer, a number, a
// flag or a text (UTF-8).
#pragma once

#include <string>
#include <variant>

using RegisterValue = std::variant<std::monostate, long long, double, bool, std::string>;
