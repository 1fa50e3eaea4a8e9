#include "simulator/refusals.h"

#include <array>

#include "adapter/register_codes.h"

namespace {

using enum Refusal;

constexpr std::array kRefusals = {
    RefusalInfo{DeviceOff, register_code::kDeviceOff, "Устройство не включено"},
    RefusalInfo{CashShort, register_code::kCashShort, "Выплачиваемая сумма больше суммы наличных в кассе"},
    RefusalInfo{WrongMode, register_code::kWrongMode, "Команда не поддерживается в данном режиме"},
    RefusalInfo{ModeLocked, register_code::kModeLocked, "Смена режима невозможна: открыт чек"},
    RefusalInfo{BadMode, register_code::kBadMode, "Недопустимый номер режима"},
    RefusalInfo{ReceiptOpen, register_code::kReceiptOpen, "Чек уже открыт"},
    RefusalInfo{NoReceipt, register_code::kNoReceipt, "Чек не открыт"},
    RefusalInfo{ItemNotBegun, register_code::kItemNotBegun, "Регистрация позиции не начата"},
    RefusalInfo{BadValue, register_code::kBadValue, "Недопустимое значение"},
    RefusalInfo{PaymentShort, register_code::kPaymentShort, "Сумма оплаты меньше суммы чека"},
    RefusalInfo{CashlessOverpaid, register_code::kCashlessOverpaid, "Сумма безналичной оплаты больше суммы чека"},
    RefusalInfo{BadReportType, register_code::kBadReportType, "Недопустимый тип отчета"},
    RefusalInfo{BadRegister, register_code::kBadRegister, "Недопустимый номер регистра"},
};

consteval bool TableFollowsEnum() {
  for (std::size_t i = 0; i < kRefusals.size(); ++i) {
    if (kRefusals[i].refusal != static_cast<Refusal>(i)) return false;
  }
  return kRefusals.back().refusal == BadRegister;
}
static_assert(TableFollowsEnum(), "the refusal table must list every refusal in enum order");

}  // namespace

const RefusalInfo& InfoOf(Refusal refusal) { return kRefusals[static_cast<std::size_t>(refusal)]; }
