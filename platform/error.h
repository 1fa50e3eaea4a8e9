// Failures that escape an operation: each carries the status the caller
// gets and a message (Windows-1251) for the platform's error information.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/com.h"

class ComError : public std::runtime_error {
 public:
  ComError(HRESULT status, const std::string& message) : std::runtime_error(message), status_(status) {}
  // A message that came as interface text (a server's description, a system
  // message): what() holds it in Windows-1251, WideMessage() as it came.
  ComError(HRESULT status, OleString message);
  HRESULT Status() const { return status_; }
  // The message as interface text, every character kept.
  OleString WideMessage() const;

 private:
  HRESULT status_;
  OleString wide_;  // empty when the message came as module text
};

// Throws a ComError with a message that names the status, when it failed.
void CheckStatus(HRESULT status, const std::string& what);

// The platform's wording for a status code (English, as the runtime gives it).
std::string StatusMessage(HRESULT status);

// Hands a failure to the calling thread's error information: a message in
// module text, or a ComError's with every character it came with. Called
// while a failure is being reported, so it never fails in turn: without
// the memory for it the thread is left with no information, not an older one.
void SetErrorMessage(std::string_view source, std::string_view description) noexcept;
void SetErrorMessage(std::string_view source, const ComError& failure) noexcept;
