#include "simulator/documents.h"

#include "simulator/number_text.h"

namespace {

const std::string kRule(40, '-');

std::string ReceiptTitle(ReceiptKind kind) {
  return kind == ReceiptKind::Sale ? "КАССОВЫЙ ЧЕК. ПРИХОД" : "КАССОВЫЙ ЧЕК. ВОЗВРАТ ПРИХОДА";
}

std::string PaymentLabel(long long type) {
  if (type == kCashPayment) return "НАЛИЧНЫМИ";
  if (type == 1) return "ЭЛЕКТРОННЫМИ";
  return "ОПЛАТА ВИДА " + std::to_string(type);
}

std::string StampText(const DocumentStamp& stamp) {
  return "ДОКУМЕНТ № " + std::to_string(stamp.number) + ", " + calendar::Format(stamp.time);
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
  to.insert(to.end(), lines.begin(), lines.end());
}

}  // namespace

std::vector<std::string> ItemText(const ItemLine& item) {
  return {item.name, "  " + ShortestNumber(item.quantity) + " x " + Money(item.price) + " = " + Money(item.sum),
          "  секция " + std::to_string(item.department) + ", предмет " + std::to_string(item.itemType) +
              ", способ расчета " + std::to_string(item.paymentMode) + ", налог " + std::to_string(item.taxType)};
}

std::string BarcodeText(const std::string& barcode, long long type) {
  return "ШТРИХКОД (тип " + std::to_string(type) + "): " + barcode;
}

std::string AttributeText(long long tag, const std::string& value) {
  return "РЕКВИЗИТ " + std::to_string(tag) + ": " + value;
}

std::vector<std::string> ClosedReceipt(const Receipt& receipt, double change, const DocumentStamp& stamp) {
  std::vector<std::string> lines{ReceiptTitle(receipt.kind)};
  Append(lines, receipt.body);
  for (const auto& [tag, value] : receipt.attributes) lines.push_back(AttributeText(tag, value));
  lines.push_back("ИТОГ: " + Money(receipt.total));
  for (const ReceiptPayment& payment : receipt.payments) {
    lines.push_back(PaymentLabel(payment.type) + ": " + Money(payment.sum));
  }
  lines.push_back("СДАЧА: " + Money(change));
  lines.push_back(StampText(stamp));
  lines.push_back(kRule);
  return lines;
}

std::vector<std::string> CancelledReceipt(const Receipt& receipt) {
  std::vector<std::string> lines{ReceiptTitle(receipt.kind)};
  Append(lines, receipt.body);
  lines.push_back("ЧЕК АННУЛИРОВАН");
  lines.push_back(kRule);
  return lines;
}

std::vector<std::string> CashDocument(CashMovement movement, double sum, double cashAfter, const DocumentStamp& stamp) {
  return {(movement == CashMovement::In ? "ВНЕСЕНИЕ: " : "ВЫПЛАТА: ") + Money(sum), "В КАССЕ: " + Money(cashAfter),
          StampText(stamp), kRule};
}

std::vector<std::string> XReport(bool shiftOpen, double cash, const calendar::DateTime& time) {
  return {"ОТЧЕТ БЕЗ ГАШЕНИЯ", std::string("СМЕНА: ") + (shiftOpen ? "ОТКРЫТА" : "ЗАКРЫТА"), "В КАССЕ: " + Money(cash),
          calendar::Format(time), kRule};
}

std::vector<std::string> ZReport(double cash, const DocumentStamp& stamp) {
  return {"ОТЧЕТ С ГАШЕНИЕМ", "СМЕНА ЗАКРЫТА", "В КАССЕ: " + Money(cash), StampText(stamp), kRule};
}
