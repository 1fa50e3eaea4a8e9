#include "simulator/refusals.h"

#include <array>

namespace {

using enum Refusal;

constexpr std::array kRefusals = {
    RefusalInfo{DeviceOff, -16, "Устройство не включено"},
    RefusalInfo{CashShort, -3800, "Выплачиваемая сумма больше суммы наличных в кассе"},
    RefusalInfo{WrongMode, -3801, "Команда не поддерживается в данном режиме"},
    RefusalInfo{ModeLocked, -3802, "Смена режима невозможна: открыт чек"},
    RefusalInfo{BadMode, -3803, "Недопустимый номер режима"},
    RefusalInfo{ReceiptOpen, -3804, "Чек уже открыт"},
    RefusalInfo{NoReceipt, -3805, "Чек не открыт"},
    RefusalInfo{ItemNotBegun, -3806, "Регистрация позиции не начата"},
    RefusalInfo{BadValue, -3807, "Недопустимое значение"},
    RefusalInfo{PaymentShort, -3808, "Сумма оплаты меньше суммы чека"},
    RefusalInfo{CashlessOverpaid, -3809, "Сумма безналичной оплаты больше суммы чека"},
    RefusalInfo{BadReportType, -3810, "Недопустимый тип отчета"},
    RefusalInfo{BadRegister, -3811, "Недопустимый номер регистра"},
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
