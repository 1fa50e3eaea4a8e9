// xhw doctor [--connect] [--report FILE] [--english]: checks the
// installation as hosts of both word sizes see it and says what to do.
#pragma once

#include <ostream>
#include <string>
#include <vector>

inline constexpr int kDoctorHostCanWork = 0;
inline constexpr int kDoctorHostCannotWork = 1;
inline constexpr int kDoctorCannotRun = 2;  // also a bad command line

// `arguments` are those after "doctor".
int Doctor(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
