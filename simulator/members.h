// The driver members the simulator answers: their names, what kind of
// member each is and the type of its value. The dispatch id of a member is
// its place in the table plus one, so ids stay stable as long as new
// members are only ever added at the end.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/com.h"

enum class Member {
  // Read by the caller.
  ResultCode,
  ResultDescription,
  DeviceEnabled,
  CheckState,
  SerialNumber,
  ROMVersion,
  Version,
  Fiscal,
  Is54FZ,
  CheckPaperPresent,
  ControlPaperPresent,
  CoverOpened,
  Day,
  Month,
  Year,
  Hour,
  Minute,
  Second,
  DocNumber,
  // Written by the caller.
  ACKTimeout,
  ENQTimeout,
  ApplicationHandle,
  Mode,
  ReportType,
  CheckType,
  RegisterNumber,
  TypeClose,
  Department,
  ItemType,
  PaymentMode,
  TaxTypeNumber,
  AttrNumber,
  Alignment,
  BarcodeType,
  PrintBarcodeText,
  Summ,
  Price,
  Quantity,
  Name,
  Caption,
  Barcode,
  AttrValue,
  AutoSize,
  // Methods; each returns its result code.
  LoadDevicesSettings,
  SaveDevicesSettings,
  ShowProperties,
  GetStatus,
  Beep,
  SetMode,
  ResetMode,
  GetRegister,
  OpenCheck,
  BeginItem,
  EndItem,
  Payment,
  WriteAttribute,
  CloseCheck,
  CancelCheck,
  CashIncome,
  CashOutcome,
  Report,
  PrintString,
  PrintBarcode,
};

enum class MemberKind { Method, ReadOnly, ReadWrite };
enum class ValueType { Integer, Float, Boolean, Text, IntegerOrText };

struct MemberInfo {
  Member member;
  std::string_view name;
  MemberKind kind;
  ValueType type;  // of a property's value; a method's result is an integer
};

std::span<const MemberInfo> AllMembers();
const MemberInfo& InfoOf(Member member);
// Names match without regard to case.
std::optional<Member> FindMember(OleStringView name);
std::optional<Member> FindMember(std::string_view name);
DISPID DispatchIdOf(Member member);
std::optional<Member> MemberOfDispatchId(DISPID id);
