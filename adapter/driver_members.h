// The members of the ATOL driver object that the adapter uses, each named
// once, here. A member's place in this table is the fixed index under which
// its dispatch id is kept per driver object, and the journal prints its name
// from here. In the code a member is written "Name"_member, which finds its
// place while compiling: a name that is not in the table does not compile.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

inline constexpr std::string_view kDriverMemberNames[] = {
    // The answer to the last call
    "ResultCode",
    "ResultDescription",
    // Connection and the register switch
    "ACKTimeout",
    "ENQTimeout",
    "ApplicationHandle",
    "LoadDevicesSettings",
    "SaveDevicesSettings",
    "ShowProperties",
    "DeviceEnabled",
    // Modes
    "Mode",
    "SetMode",
    "ResetMode",
    // Receipts
    "CheckState",
    "CheckType",
    "OpenCheck",
    "BeginItem",
    "Department",
    "Name",
    "Price",
    "Quantity",
    "Summ",
    "ItemType",
    "PaymentMode",
    "TaxTypeNumber",
    "EndItem",
    "TypeClose",
    "Payment",
    "AttrNumber",
    "AttrValue",
    "WriteAttribute",
    "CloseCheck",
    "CancelCheck",
    // Cash movements and reports
    "CashIncome",
    "CashOutcome",
    "ReportType",
    "Report",
    // Free printing
    "Caption",
    "Alignment",
    "PrintString",
    "Barcode",
    "BarcodeType",
    "AutoSize",
    "PrintBarcodeText",
    "PrintBarcode",
    // What the register says about itself
    "GetStatus",
    "ROMVersion",
    "SerialNumber",
    "Version",
    "Fiscal",
    "Is54FZ",
    "CheckPaperPresent",
    "ControlPaperPresent",
    "CoverOpened",
    "Day",
    "Month",
    "Year",
    "Hour",
    "Minute",
    "Second",
    "Beep",
    // The record of the last document
    "RegisterNumber",
    "GetRegister",
    "DocNumber",
};

consteval bool EachNameOnce() {
  for (std::size_t i = 0; i < std::size(kDriverMemberNames); ++i) {
    for (std::size_t j = i + 1; j < std::size(kDriverMemberNames); ++j) {
      if (kDriverMemberNames[i] == kDriverMemberNames[j]) return false;
    }
  }
  return true;
}
static_assert(EachNameOnce(), "a driver member is named twice");

struct DriverMember {
  std::size_t place;
  std::string_view Name() const { return kDriverMemberNames[place]; }
};

consteval DriverMember operator""_member(const char* name, std::size_t length) {
  for (std::size_t place = 0; place < std::size(kDriverMemberNames); ++place) {
    if (kDriverMemberNames[place] == std::string_view(name, length)) return {place};
  }
  throw "no such member in the driver member table";
}
