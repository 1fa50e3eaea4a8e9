// What the emulator prints, as text: whole blocks of the receipt file
// (Windows-1251, CR LF). Pure functions of plain values, so the layout can
// be checked without a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/receipt_item.h"

// Receipt total: per line the rounded sum less the rounded line discount,
// then less the rounded receipt discount.
long double ReceiptTotal(const TMyArray& lines, double discountSum);

// Everything one printed receipt shows.
struct ReceiptContent {
  int32_t number = 0;
  std::string_view dateTime;
  std::string_view title;
  const std::vector<std::string>* headerLines = nullptr;
  bool isSale = false;
  const TMyArray* lines = nullptr;
  double discountSum = 0;
  long double total = 0;  // positive also for a return
  double paymentSum = 0;
  int32_t paymentKind = 0;
  int32_t taxSystem = -1;
  std::string_view customerContact;
  const std::vector<std::string>* footerLines = nullptr;
  std::string_view bottom;
};

std::string RenderReceipt(const ReceiptContent& receipt);
// A deposit or withdrawal: label and amount, then the separator line.
std::string RenderCashMovement(std::string_view label, double sum);
// A line of free text as given, then the separator line.
std::string RenderTextLine(std::string_view text);
