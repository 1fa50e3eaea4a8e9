#include "tests/reliability/emulator_run.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>

#include "platform/ansi.h"
#include "platform/ascii.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/profile.h"
#include "tests/reliability/call_text.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::string_view kSeparator = "----------------------------------------------------------------------";

// Texts a host may hand in: Cyrillic, long, empty, with line breaks, with
// characters Windows-1251 lacks, and some that look like parts of the
// receipt file or the settings file.
constexpr const char* kTexts[] = {
    "Хлеб",
    "Молоко 3,2% 1 л",
    "",
    " ",
    "Ёлочная игрушка «Шар»",
    "Очень длинное название товара, длиннее двадцати знаков",
    "tab\tinside",
    "две\r\nстроки",
    "€ и №",
    "смайлик 😀 без кода",
    "----------------------------------------------------------------------",
    "Чек №1 от 01.01.2000",
    "ИТОГО                   999.99",
    "\"в кавычках\"",
    "  пробелы по краям  ",
    "x\r\nLastnum=999999\r\nSumma=1000000",
    "[GENERAL]",
    "; комментарий",
};

// Texts that cannot be mistaken for a part of the receipt file, for the
// soak, whose file is read back as a ledger.
constexpr const char* kPlainTexts[] = {
    "Хлеб", "Молоко 3,2% 1 л", "Очень длинное название товара, длиннее двадцати знаков", "€ и №", "смайлик 😀",
};

constexpr const char* kContacts[] = {"", "+79001234567", "user@example.com", "@", "почта@пример.рф", "две\r\nстроки"};

// UTF-16 as a host hands it over, so characters beyond Windows-1251 reach
// the module as they are.
OleString Utf16(std::string_view utf8) {
  OleString out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
  }
  return out;
}

Variant TextArg(std::string_view utf8) {
  const OleString text = Utf16(utf8);
  VARIANT raw;
  VariantInit(&raw);
  raw.vt = VT_BSTR;
  raw.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return Variant::Attach(raw);
}

// The largest amount a till takes, and the next one up.
constexpr double kMostMoney = 9999999999999.99;
constexpr double kBeyondMoney = 10000000000000.0;

double Money(Choices& c) {
  switch (c.Below(9)) {
    case 0:
      return 0;
    case 1:
      return c.Pick({0.125, 0.375, 1.005, 2.675, 0.0001, 1e-9, 12345678.9, 0.3, 0.6, 0.9});
    case 2:
      return c.Pick({kMostMoney, -kMostMoney, kBeyondMoney, -kBeyondMoney, 1e17, 1.7e308});
    case 3:
      return -static_cast<double>(c.Below(100000)) / 100;
    case 4:
      return static_cast<double>(c.Below(100000000)) / 100;
    default:
      return static_cast<double>(c.Below(100000)) / 100;
  }
}

double Cents(Choices& c, uint32_t most) { return static_cast<double>(1 + c.Below(most)) / 100; }

double Quantity(Choices& c) {
  return c.Pick({1.0, 2.0, 0.5, 1.234, 0.001, 3.0, 10.0, 0.0, -1.0, 2.5, kMostMoney, kBeyondMoney});
}

std::string Shown(const std::string& ansi) { return '"' + AnsiToUtf8(ansi) + '"'; }

std::string StoredCash(double cash) {
  char text[64];
  std::snprintf(text, sizeof text, "%.15g", cash);
  return text;
}

// An amount field of the receipt file in whole kopecks.
std::optional<long long> ParseCents(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  const bool negative = !field.empty() && field.front() == '-';
  if (negative) field.remove_prefix(1);
  const std::size_t point = field.find('.');
  if (point == std::string_view::npos || field.size() != point + 3 || point == 0) return std::nullopt;
  long long cents = 0;
  for (char c : field) {
    if (c == '.') continue;
    if (c < '0' || c > '9') return std::nullopt;
    cents = cents * 10 + (c - '0');
  }
  return negative ? -cents : cents;
}

double FixedNow() {
  using namespace std::chrono;
  const auto days = (sys_days{year{2026} / 12 / 8} - sys_days{year{1899} / 12 / 30}).count();
  return static_cast<double>(days) + (14 * 3600 + 5 * 60 + 9) / 86400.0;
}

}  // namespace

EmulatorRun::EmulatorRun(const HostModule& module, const std::string& folder, Mix mix)
    : device_(module.CreateDevice()),
      folder_(folder),
      receiptPath_(folder + "/receipts.txt"),
      mix_(mix),
      // How the date reads is the system's matter (Windows takes it from the
      // user's regional settings).
      model_(FixedNow(), FormatDateTime(FixedNow())) {
  // Every run starts from no settings and an empty receipt file.
  std::error_code ignored;
  std::filesystem::remove(SettingsFolder() + "/Selvane.xhw.ini", ignored);
  std::filesystem::remove(receiptPath_, ignored);

  const std::string path = Utf8ToAnsi(receiptPath_);
  Call("SetParamValue", {0, Variant::Text(path)});
  *model_.Param(0) = path;
  Bind();
  if (mix_ == Mix::kDocuments) {
    Call("SetParamValue", {1, TextArg("Магазин «У дома»")});
    *model_.Param(1) = Ansi("Магазин «У дома»");
    Call("SetParamValue", {2, TextArg("Спасибо за покупку")});
    *model_.Param(2) = Ansi("Спасибо за покупку");
    Expect("AddHeaderLine", {TextArg("Добро пожаловать")}, model_.AddHeaderLine(Ansi("Добро пожаловать")));
    Expect("AddFooterLine", {TextArg("Приходите ещё")}, model_.AddFooterLine(Ansi("Приходите ещё")));
  }
}

EmulatorRun::Reply EmulatorRun::Call(std::string_view operation, std::initializer_list<Arg> args, bool remember,
                                     HRESULT expectedStatus) {
  if (remember) {
    trail_.push_back(CallText(operation, args));
    if (trail_.size() > 16) trail_.pop_front();
  }
  Reply reply{S_OK, {}};
  reply.status = device_.TryCall(operation, args, &reply.out);
  Check(reply.status == expectedStatus, std::string(operation) + " returned the status " +
                                            std::to_string(reply.status) + ", expected " +
                                            std::to_string(expectedStatus));
  return reply;
}

void EmulatorRun::Expect(std::string_view operation, std::initializer_list<Arg> args, Answer expected) {
  const Reply reply = Call(operation, args, true, expected ? S_OK : E_INVALIDARG);
  if (reply.status != S_OK || !expected) return;
  const LONG got = reply.out.ToInt();
  Check(got == *expected,
        std::string(operation) + " gave " + std::to_string(got) + ", expected " + std::to_string(*expected));
}

void EmulatorRun::Check(bool agreed, const std::string& what) {
  if (agreed || !failure_.empty()) return;
  std::ostringstream report;
  report << "step " << steps_ << ": " << what << "\nlast operations:";
  for (const std::string& line : trail_) report << "\n  " << line;
  failure_ = report.str();
}

ReceiptTarget EmulatorRun::TargetOf(const std::string& fileName) {
  if (fileName == Utf8ToAnsi(receiptPath_)) return ReceiptTarget::kFile;
  if (fileName == "/dev/full") return ReceiptTarget::kFullDevice;
  if (fileName == Utf8ToAnsi(folder_ + "/missing/receipts.txt")) return ReceiptTarget::kMissingFolder;
  if (SameAsciiName(std::string_view(fileName), std::string_view("nul"))) return ReceiptTarget::kNullDevice;
  Check(false, "unexpected receipt file name " + Shown(fileName));
  return ReceiptTarget::kMissingFolder;
}

std::string EmulatorRun::ReadAppended() {
  std::ifstream in(receiptPath_, std::ios::binary);
  if (!in) return {};
  in.seekg(static_cast<std::streamoff>(fileOffset_));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  fileOffset_ += bytes.size();
  return bytes;
}

void EmulatorRun::Observe() {
  Reply code = Call("GetResultCode", {}, false);
  Check(code.out.ToInt() == model_.ResultCode(),
        "GetResultCode gave " + std::to_string(code.out.ToInt()) + ", expected " + std::to_string(model_.ResultCode()));
  Reply text = Call("GetResultText", {}, false);
  Check(text.out.ToAnsi() == model_.ResultText(),
        "GetResultText gave " + Shown(text.out.ToAnsi()) + ", expected " + Shown(model_.ResultText()));
  Reply date = Call("GetLastDocDateTime", {}, false);
  Check(std::fabs(date.out.ToDouble() - model_.LastDate()) < 1e-9, "GetLastDocDateTime differs");
  Reply tax = Call("GetTaxSystem", {}, false);
  Check(tax.out.ToInt() == model_.TaxSystem(), "GetTaxSystem gave " + std::to_string(tax.out.ToInt()));
  Reply contact = Call("GetCustomerContact", {}, false);
  Check(contact.out.ToAnsi() == model_.Contact(), "GetCustomerContact gave " + Shown(contact.out.ToAnsi()));
  if (mix_ == Mix::kEverything) {
    for (int index = 0; index < 3; ++index) {
      Reply value = Call("GetParamValue", {index}, false);
      Check(value.out.ToAnsi() == *model_.Param(index),
            "parameter " + std::to_string(index) + " is " + Shown(value.out.ToAnsi()));
    }
  }
  const std::string appended = ReadAppended();
  const std::string expected = model_.TakeAppended();
  Check(appended == expected,
        "the receipt file gained\n" + AnsiToUtf8(appended) + "\ninstead of\n" + AnsiToUtf8(expected));
}

void EmulatorRun::CheckStoredSettings() {
  const std::string text = ReadFileBytes(SettingsFolder() + "/Selvane.xhw.ini");
  const ModelSettings expected = model_.Settings();
  auto has = [&text](const std::string& wanted) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == wanted) return true;
    }
    return false;
  };
  Check(has("Lastnum=" + std::to_string(expected.lastNumber)),
        "the settings file lacks Lastnum=" + std::to_string(expected.lastNumber) + ":\n" + AnsiToUtf8(text));
  Check(has("Summa=" + StoredCash(expected.cash)),
        "the settings file lacks Summa=" + StoredCash(expected.cash) + ":\n" + AnsiToUtf8(text));
}

double EmulatorRun::PaymentFor(Choices& c) const {
  const long double total = model_.OpenTotal();
  switch (c.Below(6)) {
    case 0:
      return 0;
    case 1:
      return static_cast<double>(total);
    case 2:
      return static_cast<double>(total + c.Below(100000) / 100.0L);
    case 3:
      return static_cast<double>(total - 0.00005L);
    case 4:
      return static_cast<double>(total - 0.01L);
    default:
      return Money(c);
  }
}

std::string EmulatorRun::Step(Choices& choices) {
  using Action = void (EmulatorRun::*)(Choices&);
  struct Weighted {
    uint32_t weight;
    Action action;
  };
  static constexpr Weighted kActions[] = {
      {14, &EmulatorRun::SaleLine}, {6, &EmulatorRun::ReturnLine},     {2, &EmulatorRun::Discount},
      {5, &EmulatorRun::Pay},       {8, &EmulatorRun::Close},          {2, &EmulatorRun::Cancel},
      {4, &EmulatorRun::CashIn},    {4, &EmulatorRun::CashOut},        {3, &EmulatorRun::PrintText},
      {2, &EmulatorRun::FeedLines}, {2, &EmulatorRun::HeaderOrFooter}, {3, &EmulatorRun::OneShotValues},
      {2, &EmulatorRun::SetParam},  {2, &EmulatorRun::Connect},        {2, &EmulatorRun::Settings},
      {3, &EmulatorRun::Query},     {1, &EmulatorRun::Unsupported},
  };
  ++steps_;
  if (mix_ == Mix::kDocuments) {
    Document(choices);
  } else {
    uint32_t total = 0;
    for (const Weighted& w : kActions) total += w.weight;
    uint32_t pick = choices.Below(total);
    for (const Weighted& w : kActions) {
      if (pick < w.weight) {
        (this->*w.action)(choices);
        break;
      }
      pick -= w.weight;
    }
  }
  Observe();
  return failure_;
}

void EmulatorRun::SaleLine(Choices& c) {
  const bool ext = c.OneIn(3);
  const int32_t department = c.Pick({0, 1, 2, 7, -3, 2147483647});
  const char* name = c.Pick(std::span<const char* const>(kTexts));
  const double quantity = Quantity(c);
  const double price = Money(c);
  const int32_t itemType = static_cast<int32_t>(c.Below(16));
  const int32_t paymentMode = static_cast<int32_t>(c.Below(9));
  const int32_t taxType = static_cast<int32_t>(c.Below(9));
  const double discount = ext ? Money(c) : 0;
  const Answer expected =
      model_.SaleItem(department, Ansi(name), quantity, price, itemType, paymentMode, taxType, discount);
  if (ext) {
    Expect("SaleItemExt", {department, TextArg(name), quantity, price, itemType, paymentMode, taxType, discount},
           expected);
  } else {
    Expect("SaleItem", {department, TextArg(name), quantity, price, itemType, paymentMode, taxType}, expected);
  }
}

void EmulatorRun::ReturnLine(Choices& c) {
  const bool ext = c.OneIn(3);
  const int32_t department = c.Pick({0, 1, 5});
  const char* name = c.Pick(std::span<const char* const>(kTexts));
  const double quantity = Quantity(c);
  const double price = Money(c);
  // The codes are taken and forgotten: a return line never shows them.
  const int32_t itemType = static_cast<int32_t>(c.Below(16));
  const double discount = ext ? Money(c) : 0;
  const Answer expected = model_.ReturnItem(department, Ansi(name), quantity, price, discount);
  if (ext) {
    Expect("ReturnItemExt", {department, TextArg(name), quantity, price, itemType, 4, 2, discount}, expected);
  } else {
    Expect("ReturnItem", {department, TextArg(name), quantity, price, itemType, 4, 2}, expected);
  }
}

void EmulatorRun::Discount(Choices& c) {
  const double sum = Money(c);
  Expect("AddDiscount", {sum}, model_.AddDiscount(sum));
}

void EmulatorRun::Pay(Choices& c) {
  const double sum = PaymentFor(c);
  const int32_t kind = c.Pick({0, 1, 2, -1});
  Expect("Payment", {sum, kind}, model_.Payment(sum, kind));
}

void EmulatorRun::Close(Choices& c) {
  const bool alt = c.OneIn(4);
  Expect(alt ? "CloseReceiptAlt" : "CloseReceipt", {}, model_.CloseReceipt());
}

void EmulatorRun::Cancel(Choices&) { Expect("CancelReceipt", {}, model_.CancelReceipt()); }

void EmulatorRun::CashIn(Choices& c) {
  const double sum = mix_ == Mix::kDocuments ? Cents(c, 500000) : Money(c);
  Expect("CashIn", {sum}, model_.CashIn(sum));
}

void EmulatorRun::CashOut(Choices& c) {
  // Now and then the whole drawer as a receipt shows it, or a kopeck more.
  const double drawer = std::nearbyint(model_.Cash() * 100) / 100;
  const double sum = mix_ == Mix::kDocuments ? Cents(c, 200000)
                     : c.OneIn(4)            ? drawer + c.Pick({0.0, 0.01})
                                             : Money(c);
  Expect("CashOut", {sum}, model_.CashOut(sum));
}

void EmulatorRun::PrintText(Choices& c) {
  const char* text = mix_ == Mix::kDocuments ? c.Pick(std::span<const char* const>(kPlainTexts))
                                             : c.Pick(std::span<const char* const>(kTexts));
  Expect("PrintText", {TextArg(text)}, model_.PrintText(Ansi(text)));
}

void EmulatorRun::FeedLines(Choices& c) {
  const int32_t count = c.Pick({-2, 0, 1, 3});
  Expect("FeedLines", {count}, model_.FeedLines(count));
}

void EmulatorRun::HeaderOrFooter(Choices& c) {
  const char* text = c.Pick(std::span<const char* const>(kTexts));
  const uint32_t what = model_.HeaderLines() + model_.FooterLines() > 6 ? 2 + c.Below(2) : c.Below(4);
  switch (what) {
    case 0:
      Expect("AddHeaderLine", {TextArg(text)}, model_.AddHeaderLine(Ansi(text)));
      break;
    case 1:
      Expect("AddFooterLine", {TextArg(text)}, model_.AddFooterLine(Ansi(text)));
      break;
    case 2:
      Call("ClearHeaderLines");
      model_.ClearHeaderLines();
      break;
    default:
      Call("ClearFooterLines");
      model_.ClearFooterLines();
      break;
  }
}

void EmulatorRun::OneShotValues(Choices& c) {
  if (c.OneIn(2)) {
    const char* contact = c.Pick(std::span<const char* const>(kContacts));
    Call("SetCustomerContact", {TextArg(contact)});
    model_.SetContact(Ansi(contact));
  } else {
    const int32_t code = c.Pick({-1, 0, 1, 2, 3, 4, 5, 6, 99, -7});
    Call("SetTaxSystem", {code});
    model_.SetTaxSystem(code);
  }
}

void EmulatorRun::SetParam(Choices& c) {
  const int32_t index = c.Pick({0, 1, 2, 3, -1});
  if (index == 0) {
    const std::string names[] = {receiptPath_, receiptPath_,
#ifndef _WIN32
                                 "/dev/full",  // Windows has no device whose every write fails
#endif
                                 folder_ + "/missing/receipts.txt", "nul", "NUL"};
    const std::string name = Utf8ToAnsi(c.Pick(std::span<const std::string>(names)));
    Call("SetParamValue", {index, Variant::Text(name)});
    *model_.Param(index) = name;
    return;
  }
  std::string expected;
  if (c.OneIn(4)) {
    const LONG number = c.Pick<LONG>({42, -1, 0});
    Call("SetParamValue", {index, Variant(number)});
    expected = std::to_string(number);
  } else {
    const char* text = c.Pick(std::span<const char* const>(kTexts));
    Call("SetParamValue", {index, TextArg(text)});
    expected = Ansi(text);
  }
  if (std::string* field = model_.Param(index)) *field = expected;
}

void EmulatorRun::Connect(Choices&) { Bind(); }

void EmulatorRun::Bind() {
  model_.Connect(TargetOf(model_.FileName()));
  Expect("Connect", {}, 0);
}

void EmulatorRun::Settings(Choices& c) {
  if (c.OneIn(2)) {
    Call("SaveSettings");
    stored_ = model_.Settings();
    CheckStoredSettings();
  } else {
    Call("LoadSettings");
    model_.LoadSettings(stored_);
  }
}

void EmulatorRun::Query(Choices& c) {
  switch (c.Below(7)) {
    case 0: {
      model_.RecordSuccess();
      Reply number = Call("GetLastDocNumber");
      Check(number.out.ToInt() == model_.LastNumber(), "GetLastDocNumber gave " + std::to_string(number.out.ToInt()));
      break;
    }
    case 1: {
      model_.RecordSuccess();
      Reply sum = Call("GetLastDocSum");
      Check(sum.out.ToDouble() == model_.LastSum(), "GetLastDocSum gave " + std::to_string(sum.out.ToDouble()) +
                                                        ", expected " + std::to_string(model_.LastSum()));
      break;
    }
    case 2: {
      model_.RecordSuccess();
      Reply serial = Call("GetSerialNumber");
      Check(serial.out.ToAnsi() == "Sorvin_emulator", "GetSerialNumber gave " + Shown(serial.out.ToAnsi()));
      break;
    }
    case 3:
      Expect("TestConnection", {}, model_.RecordSuccess());
      break;
    case 4:
      Expect("GetDeviceStatus", {}, 0);
      break;
    case 5: {
      const int32_t index = c.Pick({0, 2, 3, -1});
      Reply type = Call("GetParamType", {index});
      Check(type.out.ToInt() == (index == 0 ? 12 : index == 2 ? 2 : 11), "GetParamType is wrong");
      Reply description = Call("GetParamDescription", {index});
      Check(description.out.ToAnsi().empty(), "GetParamDescription is not empty");
      break;
    }
    default:
      Call("Disconnect");
      break;
  }
}

void EmulatorRun::Unsupported(Choices& c) {
  const int32_t expected = model_.NotSupported();
  switch (c.Below(3)) {
    case 0:
      Expect("XReport", {}, expected);
      break;
    case 1:
      Expect("ZReport", {}, expected);
      break;
    default:
      Expect("PrintBarcode", {TextArg("4601234567890"), 2}, expected);
      break;
  }
}

void EmulatorRun::Document(Choices& c) {
  const uint32_t kind = c.Below(100);
  if (kind < 50) {
    for (uint32_t lines = 1 + c.Below(4); lines > 0; --lines) {
      const char* name = c.Pick(std::span<const char* const>(kPlainTexts));
      const double quantity = c.Pick({1.0, 2.0, 0.5, 1.234, 3.0});
      const double price = Cents(c, 200000);
      const int32_t itemType = static_cast<int32_t>(c.Below(14));
      const int32_t paymentMode = static_cast<int32_t>(c.Below(8));
      const int32_t taxType = static_cast<int32_t>(c.Below(7));
      Expect("SaleItem", {1, TextArg(name), quantity, price, itemType, paymentMode, taxType},
             model_.SaleItem(1, Ansi(name), quantity, price, itemType, paymentMode, taxType, 0));
    }
    if (c.OneIn(5)) {
      const double discount = Cents(c, 500);
      Expect("AddDiscount", {discount}, model_.AddDiscount(discount));
    }
    if (!c.OneIn(4)) {
      const double paid = static_cast<double>(model_.OpenTotal() + c.Pick({0, 0, 100, 5000}) / 100.0L);
      const int32_t kind = c.Pick({0, 1});
      Expect("Payment", {paid, kind}, model_.Payment(paid, kind));
    }
    if (c.OneIn(3)) OneShotValues(c);
    const Answer closed = model_.CloseReceipt();
    Expect("CloseReceipt", {}, closed);
    if (closed != 0) Expect("CancelReceipt", {}, model_.CancelReceipt());
  } else if (kind < 65) {
    for (uint32_t lines = 1 + c.Below(2); lines > 0; --lines) {
      const char* name = c.Pick(std::span<const char* const>(kPlainTexts));
      const double price = Cents(c, 50000);
      Expect("ReturnItem", {2, TextArg(name), 1.0, price, 1, 4, 0}, model_.ReturnItem(2, Ansi(name), 1.0, price, 0));
    }
    const Answer closed = model_.CloseReceipt();
    Expect("CloseReceipt", {}, closed);
    if (closed != 0) Expect("CancelReceipt", {}, model_.CancelReceipt());
  } else if (kind < 77) {
    CashIn(c);
  } else if (kind < 89) {
    CashOut(c);
  } else {
    PrintText(c);
  }
  ++documents_;
  if (documents_ % 1000 == 0) {
    Call("SaveSettings");
    CheckStoredSettings();
  }
}

std::string EmulatorRun::CheckLedger() {
  Call("SaveSettings");
  CheckStoredSettings();

  std::ifstream in(receiptPath_, std::ios::binary);
  constexpr std::string_view sale = "ИТОГО"_ansi;
  constexpr std::string_view receiptStart = "Чек №"_ansi;
  constexpr std::string_view deposit = "Внесение суммы"_ansi;
  constexpr std::string_view withdrawal = "Снятие суммы"_ansi;
  constexpr std::string_view returnMark = "ВОЗВРАТ"_ansi;

  int32_t receipts = 0;
  long long drawer = 0;  // kopecks
  long long lastReceipt = 0;
  bool inReceipt = false;
  bool isReturn = false;
  long long total = 0;  // of the receipt being read
  bool hasTotal = false;
  bool separatorDue = false;
  uint64_t lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    const std::string where = "receipt file line " + std::to_string(lineNumber) + ": ";
    Check(!line.empty() && line.back() == '\r', where + "no CR LF");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (separatorDue) {
      Check(line == kSeparator, where + "no separator after a cash movement or text");
      separatorDue = false;
    } else if (inReceipt) {
      if (line == returnMark) isReturn = true;
      if (line.starts_with(sale)) {
        const auto amount = ParseCents(std::string_view(line).substr(20));
        hasTotal = amount.has_value();
        total = amount.value_or(0);
      }
      if (line == kSeparator) {
        Check(hasTotal, where + "a receipt without its total");
        lastReceipt = isReturn ? -total : total;
        drawer += lastReceipt;
        inReceipt = false;
      }
    } else if (line.starts_with(receiptStart)) {
      const std::string number = std::to_string(receipts + 1);
      Check(line.compare(receiptStart.size(), number.size() + 1, number + " ") == 0,
            where + "receipt number " + number + " expected");
      ++receipts;
      inReceipt = true;
      isReturn = false;
      hasTotal = false;
    } else if (line.starts_with(deposit) || line.starts_with(withdrawal)) {
      const auto amount = ParseCents(std::string_view(line).substr(20));
      Check(amount.has_value(), where + "no amount");
      drawer += line.starts_with(deposit) ? amount.value_or(0) : -amount.value_or(0);
      separatorDue = true;
    } else {
      separatorDue = true;  // a free text line
    }
    if (!failure_.empty()) break;
  }
  Check(!inReceipt && !separatorDue, "the receipt file ends inside a document");
  Check(receipts == model_.LastNumber(),
        "the file holds " + std::to_string(receipts) + " receipts, the object " + std::to_string(model_.LastNumber()));
  Check(std::fabs(static_cast<double>(drawer) / 100 - model_.Cash()) < 0.005,
        "the file adds up to " + std::to_string(drawer / 100.0) + " in the drawer, the object holds " +
            StoredCash(model_.Cash()));
  Check(std::fabs(static_cast<double>(lastReceipt) / 100 - model_.LastSum()) < 0.005,
        "the last receipt in the file is not the last document");
  return failure_;
}
