// Tarnvik on the register: Connect and GetDeviceStatus, which print and
// record nothing fiscal, then Disconnect.
#include <optional>

#include "host/doctor_checks.h"
#include "host/doctor_device.h"
#include "platform/codepage.h"
#include "platform/error.h"

namespace {

// One operation with a result code; true when it answered 0.
template <class Operation>
bool Ask(const RegisteredDevice& device, const char* name, Operation operation, int wordSize, Findings& findings) {
  const Text what{Message::WhatRegister};
  LONG result = 0;
  const HRESULT status = operation(result);
  if (FAILED(status)) {
    findings.push_back(
        Problem(what, {Message::OperationFailed, {name, CallFailure(status)}}, {Message::CheckRegister}, wordSize));
    return false;
  }
  // A report or a driver's message may run over several lines.
  const std::string resultText = device.ResultText();
  const Text text = resultText.empty() ? Text{Message::OperationAnswer, {name, std::to_string(result)}}
                                       : Text{Message::OperationAnswerText, {name, std::to_string(result), resultText}};
  findings.push_back(result == 0 ? Ok(what, text) : Problem(what, text, {Message::CheckRegister}, wordSize));
  return result == 0;
}

}  // namespace

void CheckRegister(const DoctorContext& context, Findings& findings) {
  const int wordSize = context.programWordSize;
  std::optional<RegisteredDevice> device;
  try {
    device.emplace(Identities().tarnvik.progId);
  } catch (const ComError& failure) {
    findings.push_back(Info({Message::WhatRegister}, {Message::NoConnectWithoutModule, {AnsiToUtf8(failure.what())}}));
    return;
  }
  // The settings as a host loads them, so debug mode journals this too.
  (*device)->LoadSettings();
  const bool connected = Ask(*device, "Connect", [&](LONG& result) { return (*device)->Connect(&result); },
                             wordSize, findings);
  if (connected) {
    Ask(*device, "GetDeviceStatus", [&](LONG& result) { return (*device)->GetDeviceStatus(&result); },
        wordSize, findings);
  }
  (*device)->Disconnect();
}
