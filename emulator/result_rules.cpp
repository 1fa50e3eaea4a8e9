// Which results Selvane keeps as its last result, the one GetResultCode
// answers. Hosts read it after a failure, and some after a success too, so
// it has always been kept this way and stays so.
#include "contract/result_codes.h"
#include "emulator/file_emulator.h"
#include "module/result_rules.h"

namespace {

using enum OperationId;

constexpr ResultRules kResultRules{
    // Queries that cannot fail keep their success.
    {TestConnection, ResultRule::Every()},
    {GetSerialNumber, ResultRule::Every()},
    {GetLastDocNumber, ResultRule::Every()},
    {GetLastDocSum, ResultRule::Every()},
    // Every step of a receipt, and free printing.
    {SaleItem, ResultRule::Every()},
    {SaleItemExt, ResultRule::Every()},
    {ReturnItem, ResultRule::Every()},
    {ReturnItemExt, ResultRule::Every()},
    {AddDiscount, ResultRule::Every()},
    {Payment, ResultRule::Every()},
    {CancelReceipt, ResultRule::Every()},
    {CloseReceipt, ResultRule::Every()},
    {CloseReceiptAlt, ResultRule::Every()},
    {AddHeaderLine, ResultRule::Every()},
    {AddFooterLine, ResultRule::Every()},
    {PrintText, ResultRule::Every()},
    {FeedLines, ResultRule::Every()},
    // A cash movement keeps only a failure of the receipt file: its success
    // and the drawer's refusal leave the last result as it was.
    {CashIn, ResultRule::Only(result::kModeOrFileError, result::kRefused)},
    {CashOut, ResultRule::Only(result::kModeOrFileError, result::kRefused)},
    // Everything else keeps nothing: Connect, GetDeviceStatus, the reports
    // and the barcode it does not support, the date, the contact, the
    // taxation system, the parameters and the settings.
};

}  // namespace

void TFileEmulator::Finished(OperationId operation, int32_t result) noexcept {
  if (kResultRules.Keeps(operation, result)) FResultCode = result;
}
