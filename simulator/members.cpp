#include "simulator/members.h"

#include <array>

#include "platform/ascii.h"

namespace {

using enum Member;
using enum MemberKind;
using enum ValueType;

constexpr std::array kMembers = {
    MemberInfo{ResultCode, "ResultCode", ReadOnly, Integer},
    MemberInfo{ResultDescription, "ResultDescription", ReadOnly, Text},
    MemberInfo{DeviceEnabled, "DeviceEnabled", ReadWrite, Boolean},
    MemberInfo{CheckState, "CheckState", ReadOnly, Integer},
    MemberInfo{SerialNumber, "SerialNumber", ReadOnly, Text},
    MemberInfo{ROMVersion, "ROMVersion", ReadOnly, Text},
    MemberInfo{Version, "Version", ReadOnly, Text},
    MemberInfo{Fiscal, "Fiscal", ReadOnly, Boolean},
    MemberInfo{Is54FZ, "Is54FZ", ReadOnly, Boolean},
    MemberInfo{CheckPaperPresent, "CheckPaperPresent", ReadOnly, Boolean},
    MemberInfo{ControlPaperPresent, "ControlPaperPresent", ReadOnly, Boolean},
    MemberInfo{CoverOpened, "CoverOpened", ReadOnly, Boolean},
    MemberInfo{Day, "Day", ReadOnly, Integer},
    MemberInfo{Month, "Month", ReadOnly, Integer},
    MemberInfo{Year, "Year", ReadOnly, Integer},
    MemberInfo{Hour, "Hour", ReadOnly, Integer},
    MemberInfo{Minute, "Minute", ReadOnly, Integer},
    MemberInfo{Second, "Second", ReadOnly, Integer},
    MemberInfo{DocNumber, "DocNumber", ReadOnly, Integer},
    MemberInfo{ACKTimeout, "ACKTimeout", ReadWrite, Integer},
    MemberInfo{ENQTimeout, "ENQTimeout", ReadWrite, Integer},
    MemberInfo{ApplicationHandle, "ApplicationHandle", ReadWrite, Integer},
    MemberInfo{Mode, "Mode", ReadWrite, Integer},
    MemberInfo{ReportType, "ReportType", ReadWrite, Integer},
    MemberInfo{CheckType, "CheckType", ReadWrite, Integer},
    MemberInfo{RegisterNumber, "RegisterNumber", ReadWrite, Integer},
    MemberInfo{TypeClose, "TypeClose", ReadWrite, Integer},
    MemberInfo{Department, "Department", ReadWrite, Integer},
    MemberInfo{ItemType, "ItemType", ReadWrite, Integer},
    MemberInfo{PaymentMode, "PaymentMode", ReadWrite, Integer},
    MemberInfo{TaxTypeNumber, "TaxTypeNumber", ReadWrite, Integer},
    MemberInfo{AttrNumber, "AttrNumber", ReadWrite, Integer},
    MemberInfo{Alignment, "Alignment", ReadWrite, Integer},
    MemberInfo{BarcodeType, "BarcodeType", ReadWrite, Integer},
    MemberInfo{PrintBarcodeText, "PrintBarcodeText", ReadWrite, Integer},
    MemberInfo{Summ, "Summ", ReadWrite, Float},
    MemberInfo{Price, "Price", ReadWrite, Float},
    MemberInfo{Quantity, "Quantity", ReadWrite, Float},
    MemberInfo{Name, "Name", ReadWrite, Text},
    MemberInfo{Caption, "Caption", ReadWrite, Text},
    MemberInfo{Barcode, "Barcode", ReadWrite, Text},
    MemberInfo{AttrValue, "AttrValue", ReadWrite, IntegerOrText},
    MemberInfo{AutoSize, "AutoSize", ReadWrite, Boolean},
    MemberInfo{LoadDevicesSettings, "LoadDevicesSettings", Method, Integer},
    MemberInfo{SaveDevicesSettings, "SaveDevicesSettings", Method, Integer},
    MemberInfo{ShowProperties, "ShowProperties", Method, Integer},
    MemberInfo{GetStatus, "GetStatus", Method, Integer},
    MemberInfo{Beep, "Beep", Method, Integer},
    MemberInfo{SetMode, "SetMode", Method, Integer},
    MemberInfo{ResetMode, "ResetMode", Method, Integer},
    MemberInfo{GetRegister, "GetRegister", Method, Integer},
    MemberInfo{OpenCheck, "OpenCheck", Method, Integer},
    MemberInfo{BeginItem, "BeginItem", Method, Integer},
    MemberInfo{EndItem, "EndItem", Method, Integer},
    MemberInfo{Payment, "Payment", Method, Integer},
    MemberInfo{WriteAttribute, "WriteAttribute", Method, Integer},
    MemberInfo{CloseCheck, "CloseCheck", Method, Integer},
    MemberInfo{CancelCheck, "CancelCheck", Method, Integer},
    MemberInfo{CashIncome, "CashIncome", Method, Integer},
    MemberInfo{CashOutcome, "CashOutcome", Method, Integer},
    MemberInfo{Report, "Report", Method, Integer},
    MemberInfo{PrintString, "PrintString", Method, Integer},
    MemberInfo{PrintBarcode, "PrintBarcode", Method, Integer},
};

consteval bool TableFollowsEnum() {
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    if (kMembers[i].member != static_cast<Member>(i)) return false;
  }
  return kMembers.back().member == Member::PrintBarcode;
}
static_assert(TableFollowsEnum(), "the member table must list every member in enum order");

template <class Char>
std::optional<Member> Find(std::basic_string_view<Char> name) {
  for (const MemberInfo& info : kMembers) {
    if (SameAsciiName(name, info.name)) return info.member;
  }
  return std::nullopt;
}

}  // namespace

std::span<const MemberInfo> AllMembers() { return kMembers; }

const MemberInfo& InfoOf(Member member) { return kMembers[static_cast<std::size_t>(member)]; }

std::optional<Member> FindMember(OleStringView name) { return Find(name); }
std::optional<Member> FindMember(std::string_view name) { return Find(name); }

DISPID DispatchIdOf(Member member) { return static_cast<DISPID>(member) + 1; }

std::optional<Member> MemberOfDispatchId(DISPID id) {
  if (id < 1 || id > static_cast<DISPID>(kMembers.size())) return std::nullopt;
  return static_cast<Member>(id - 1);
}
