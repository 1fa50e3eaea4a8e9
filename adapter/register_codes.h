// The register's own numbers that both the adapter and the simulator rely
// on: modes, report and receipt types, the register of the last document,
// and the refusal codes the register answers with. Written once, here, so
// the two sides cannot drift apart.
#pragma once

#include "platform/com.h"

namespace register_code {

// Modes (Mode, then SetMode)
inline constexpr LONG kRegistrationMode = 1;  // receipts and cash movements
inline constexpr LONG kXReportMode = 2;
inline constexpr LONG kZReportMode = 3;

// ReportType
inline constexpr LONG kZReport = 1;
inline constexpr LONG kXReport = 2;

// CheckType, and CheckState while such a receipt is open
inline constexpr LONG kSaleReceipt = 1;
inline constexpr LONG kReturnReceipt = 2;

// RegisterNumber of the record of the last document (number, sum, date)
inline constexpr LONG kLastDocumentRegister = 51;

// Refusals: the result code of a method the register did not carry out
inline constexpr LONG kDeviceOff = -16;
inline constexpr LONG kCashShort = -3800;  // more cash paid out than the drawer holds
inline constexpr LONG kWrongMode = -3801;
inline constexpr LONG kModeLocked = -3802;
inline constexpr LONG kBadMode = -3803;
inline constexpr LONG kReceiptOpen = -3804;
inline constexpr LONG kNoReceipt = -3805;
inline constexpr LONG kItemNotBegun = -3806;
inline constexpr LONG kBadValue = -3807;
inline constexpr LONG kPaymentShort = -3808;
inline constexpr LONG kCashlessOverpaid = -3809;
inline constexpr LONG kBadReportType = -3810;
inline constexpr LONG kBadRegister = -3811;
inline constexpr LONG kShiftTooLong = -3828;  // the shift passed 24 hours: a Z report is due

}  // namespace register_code
