// How the debug journal writes what it shows, in Windows-1251: values as the
// register simulator's journal writes them (integers in decimal, numbers in
// their shortest exact form, texts quoted, true, false, empty), so the two
// can be laid side by side.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "platform/com.h"

std::string JournalValue(const VARIANT& value);
std::string JournalValue(int32_t value);
std::string JournalValue(double value);
std::string JournalValue(const std::string& text);
std::string JournalValue(const OleString& text);

// An OLE date as "YYYY-MM-DD HH:MM:SS", or the number when it is no date.
std::string DateText(DATE value);

// Personal data (the customer's phone or e-mail): the first two and the last
// two characters shown, every other one as '*'; a text too short to keep
// anything back is all '*'.
std::string Masked(std::string_view text);

// "raise 0x80020009 "description"": an error raised by a call.
std::string RaisedText(std::exception_ptr raised);

// "0.412 ms"
std::string DurationText(double milliseconds);

