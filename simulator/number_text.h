// Numbers as the tape, the journal and the settings file write them.
#pragma once

#include <string>

// The shortest form that reads back as the same number: "15", "1.5", "0.1".
std::string ShortestNumber(double number);
// Money with two decimals: "15.00".
std::string Money(double sum);
// Rounded to whole kopecks, as the register keeps money.
double ToKopecks(double sum);
