// The receipt open on the register: what has been printed into it so far
// and what its close depends on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "adapter/register_codes.h"

// The values CheckState reports for an open receipt.
enum class ReceiptKind { Sale = register_code::kSaleReceipt, Return = register_code::kReturnReceipt };

inline constexpr long long kCashPayment = 0;

struct ReceiptPayment {
  long long type;  // TypeClose: 0 cash, others cashless
  double sum;
};

struct Receipt {
  explicit Receipt(ReceiptKind opened) : kind(opened) {}

  ReceiptKind kind;
  std::vector<std::string> body;  // item lines, free text and barcodes, in order
  double total = 0;               // of the registered lines, in whole kopecks
  std::vector<ReceiptPayment> payments;
  std::map<long long, std::string> attributes;  // fiscal tag -> value as printed
  bool itemBegun = false;

  double Paid() const {
    double sum = 0;
    for (const ReceiptPayment& p : payments) sum += p.sum;
    return sum;
  }
  double PaidInCash() const {
    double sum = 0;
    for (const ReceiptPayment& p : payments) sum += p.type == kCashPayment ? p.sum : 0;
    return sum;
  }
};
