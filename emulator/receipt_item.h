// One line of the receipt being built, and the list of such lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct TReceiptItem {
  int32_t Department = 0;
  std::string Name;  // Windows-1251
  double Price = 0;
  double Quantity = 0;
  double Discount = 0;      // taken off this line's sum
  int32_t ItemType = 0;     // subject of settlement; 0 = not given
  int32_t PaymentMode = 0;  // method of settlement; 0 = not given
  int32_t TaxType = 0;      // VAT type; 0 = as set for the department
};

// The lines of one receipt in the order they were added.
class TMyArray {
 public:
  void Add(TReceiptItem item) { items_.push_back(std::move(item)); }
  void Clear() { items_.clear(); }
  bool IsEmpty() const { return items_.empty(); }
  std::size_t Count() const { return items_.size(); }
  const TReceiptItem& operator[](std::size_t index) const { return items_[index]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<TReceiptItem> items_;
};
