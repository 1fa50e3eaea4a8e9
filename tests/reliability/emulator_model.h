// What the emulator must do, worked out on its own from the rules of the
// register rather than from the emulator's code: the counters, the receipt
// being built, the last result, the settings it stores, and the exact bytes
// every operation adds to the receipt file. Texts are Windows-1251.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the receipt file name that Connect binds stands for.
enum class ReceiptTarget {
  kUnbound,        // no Connect yet: nothing can be opened
  kFile,           // the checked receipt file
  kNullDevice,     // "nul": opens, output discarded
  kFullDevice,     // opens, every write fails
  kMissingFolder,  // cannot be opened or created
};

struct ModelSettings {
  std::string fileName = "NUL";
  std::string title;
  std::string bottom;
  int32_t lastNumber = 0;
  double cash = 0;
};

// What an operation must answer: its out value, or nothing when the
// interface refuses it (E_INVALIDARG: a number beyond the money limit, or a
// drawer, receipt total or receipt discount that would go beyond it), and
// then nothing changes.
using Answer = std::optional<int32_t>;

class EmulatorModel {
 public:
  // The clock is fixed: every receipt carries this date and its text.
  EmulatorModel(double now, std::string nowText);

  // Writers: the expected out value; bytes bound for the file are queued.
  Answer CashIn(double sum);
  Answer CashOut(double sum);
  int32_t FeedLines(int32_t count);
  int32_t PrintText(const std::string& text);
  Answer CloseReceipt();

  // The receipt being built.
  Answer SaleItem(int32_t department, const std::string& name, double quantity, double price, int32_t itemType,
                  int32_t paymentMode, int32_t taxType, double discount);
  Answer ReturnItem(int32_t department, const std::string& name, double quantity, double price, double discount);
  Answer AddDiscount(double sum);
  Answer Payment(double sum, int32_t kind);
  int32_t CancelReceipt();

  int32_t AddHeaderLine(const std::string& text);
  int32_t AddFooterLine(const std::string& text);
  void ClearHeaderLines() { header_.clear(); }
  void ClearFooterLines() { footer_.clear(); }
  int32_t NotSupported();
  // Queries that record 0 as the last result.
  int32_t RecordSuccess() { return resultCode_ = 0; }

  void Connect(ReceiptTarget target) { target_ = target; }
  void LoadSettings(const std::optional<ModelSettings>& stored);
  ModelSettings Settings() const { return {fileName_, title_, bottom_, lastNumber_, cash_}; }
  // Parameters 0 to 2; null for another index.
  std::string* Param(int32_t index);
  void SetContact(const std::string& contact) { contact_ = contact; }
  void SetTaxSystem(int32_t code) { taxSystem_ = code; }

  int32_t ResultCode() const { return resultCode_; }
  std::string ResultText() const { return resultCode_ != 0 ? resultText_ : std::string(); }
  int32_t LastNumber() const { return lastNumber_; }
  double LastSum() const { return lastSum_; }
  double LastDate() const { return lastDate_; }
  double Cash() const { return cash_; }
  const std::string& Contact() const { return contact_; }
  int32_t TaxSystem() const { return taxSystem_; }
  const std::string& FileName() const { return fileName_; }
  bool ReceiptOpen() const { return !sales_.empty() || !returns_.empty(); }
  // The total the open receipt would close with (positive for a return).
  long double OpenTotal() const;
  std::size_t ReceiptLines() const { return sales_.size() + returns_.size(); }
  std::size_t HeaderLines() const { return header_.size(); }
  std::size_t FooterLines() const { return footer_.size(); }

  // The bytes the checked receipt file should have gained since the last call.
  std::string TakeAppended();

 private:
  struct Line {
    int32_t department;
    std::string name;
    double price;
    double quantity;
    double discount;
    int32_t itemType;
    int32_t paymentMode;
    int32_t taxType;
  };

  bool CanOpen() const;
  // A block for the receipt file; false (and the file error recorded) when
  // the write fails.
  bool Write(const std::string& block);
  int32_t Fail(int32_t code, std::string_view text);
  std::string Receipt(bool isSale, long double total) const;
  void ResetReceipt();

  double now_;
  std::string nowText_;
  ReceiptTarget target_ = ReceiptTarget::kUnbound;
  std::string appended_;

  int32_t resultCode_ = 0;
  std::string resultText_;
  double cash_ = 0;
  int32_t lastNumber_ = 0;
  double lastSum_ = 0;
  double lastDate_ = 0;
  std::string fileName_ = "nul";
  std::string title_;
  std::string bottom_;
  std::vector<Line> sales_;
  std::vector<Line> returns_;
  double discount_ = 0;
  double paymentSum_ = 0;
  int32_t paymentKind_ = 0;
  std::vector<std::string> header_;
  std::vector<std::string> footer_;
  std::string contact_;
  int32_t taxSystem_ = -1;
};
