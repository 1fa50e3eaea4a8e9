// How the register's documents look on the tape: plain lines, "label:
// value" where there is a value, each document closed by a rule. Free text
// and barcodes printed outside a document get no rule.
#pragma once

#include <string>
#include <vector>

#include "platform/calendar.h"
#include "simulator/receipt.h"

struct ItemLine {
  std::string name;
  double price, quantity, sum;
  long long department, itemType, paymentMode, taxType;
};

struct DocumentStamp {
  long long number;
  calendar::DateTime time;
};

std::vector<std::string> ItemText(const ItemLine& item);
std::string BarcodeText(const std::string& barcode, long long type);
std::string AttributeText(long long tag, const std::string& value);

std::vector<std::string> ClosedReceipt(const Receipt& receipt, double change, const DocumentStamp& stamp);
std::vector<std::string> CancelledReceipt(const Receipt& receipt);

enum class CashMovement { In, Out };
std::vector<std::string> CashDocument(CashMovement movement, double sum, double cashAfter, const DocumentStamp& stamp);

std::vector<std::string> XReport(bool shiftOpen, double cash, const calendar::DateTime& time);
std::vector<std::string> ZReport(double cash, const DocumentStamp& stamp);
