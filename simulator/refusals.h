// Where the register refuses a command, with the result code and the text
// the driver gives. The codes are the register's own, shared with the
// adapter (adapter/register_codes.h); each refusal has its own, and -3828
// (a refused Z report) stays free for fault injection.
#pragma once

#include <string_view>

enum class Refusal {
  DeviceOff,
  CashShort,
  WrongMode,
  ModeLocked,
  BadMode,
  ReceiptOpen,
  NoReceipt,
  ItemNotBegun,
  BadValue,
  PaymentShort,
  CashlessOverpaid,
  BadReportType,
  BadRegister,
};

struct RefusalInfo {
  Refusal refusal;
  long long code;
  std::string_view description;  // UTF-8
};

const RefusalInfo& InfoOf(Refusal refusal);

inline constexpr std::string_view kNoError = "Ошибок нет";
