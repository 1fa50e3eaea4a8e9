#include "tests/reliability/adapter_run.h"

#include <fstream>
#include <limits>
#include <span>
#include <sstream>

#include "platform/codepage.h"
#include "platform/profile.h"
#include "tests/reliability/call_text.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::string_view kFaults = "Faults";

// Methods whose result the adapter reads, and switching the register on:
// the register can refuse them with a code.
constexpr const char* kRefusable[] = {
    "LoadDevicesSettings", "SaveDevicesSettings", "SetMode",     "GetRegister", "EndItem",      "Payment",
    "CloseCheck",          "CancelCheck",         "CashOutcome", "Report",      "DeviceEnabled"};
// Members whose every access can raise an automation error.
constexpr const char* kRaising[] = {"ACKTimeout",
                                    "ENQTimeout",
                                    "DeviceEnabled",
                                    "ResultCode",
                                    "ResultDescription",
                                    "CheckState",
                                    "Mode",
                                    "SetMode",
                                    "ResetMode",
                                    "OpenCheck",
                                    "BeginItem",
                                    "Name",
                                    "Price",
                                    "Summ",
                                    "EndItem",
                                    "TypeClose",
                                    "Payment",
                                    "AttrNumber",
                                    "AttrValue",
                                    "WriteAttribute",
                                    "CloseCheck",
                                    "CancelCheck",
                                    "CashIncome",
                                    "CashOutcome",
                                    "Report",
                                    "Caption",
                                    "PrintString",
                                    "Barcode",
                                    "PrintBarcode",
                                    "GetStatus",
                                    "SerialNumber",
                                    "GetRegister",
                                    "DocNumber",
                                    "ShowProperties",
                                    "SaveDevicesSettings",
                                    "LoadDevicesSettings",
                                    "Day"};
constexpr const char* kCodes[] = {"-1", "-3800", "-3828", "-3805", "-12"};

constexpr const char* kNames[] = {"Хлеб", "", "Очень длинное название товара, длиннее двадцати знаков", "смайлик 😀",
                                  "две\r\nстроки"};
constexpr const char* kContacts[] = {"", "+79001234567", "user@example.com"};

// The customer contacts below as the debug journal masks them.
const std::pair<std::string_view, std::string_view> kMaskedContacts[] = {{"+79001234567", "+7********67"},
                                                                         {"user@example.com", "us************om"}};

bool StartsWith(const std::string& line, std::string_view prefix) { return line.rfind(prefix, 0) == 0; }

// The lines a file gained since `offset`, without their line ends.
std::vector<std::string> NewLines(const std::string& path, uint64_t& offset) {
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    offset += line.size() + 1;
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// A simulator journal line as the debug journal must begin it: in
// Windows-1251 (a character it lacks is '?'), the contact masked. A raised
// error goes on with its description there.
std::string AsJournaled(const std::string& line) {
  std::string ours = "  " + AnsiToUtf8(Utf8ToAnsi(line));
  for (const auto& [contact, masked] : kMaskedContacts) {
    if (size_t at = ours.find(contact); at != std::string::npos) ours.replace(at, contact.size(), masked);
  }
  return ours;
}
bool Raised(const std::string& line) { return line.ends_with("-> raise"); }

// Whether an operation got the register switched on, from what it asked of
// the driver: the register was found on, or switching it on worked.
bool GotPastSwitchingOn(const std::vector<std::string>& lines) {
  bool foundOff = false;
  bool switching = false;
  for (const std::string& line : lines) {
    if (!foundOff && StartsWith(line, "get DeviceEnabled")) {
      if (line == "get DeviceEnabled -> true") return true;
      if (line != "get DeviceEnabled -> false") return false;
      foundOff = true;
    } else if (foundOff && !switching && StartsWith(line, "put DeviceEnabled = true")) {
      if (Raised(line)) return false;
      switching = true;
    } else if (switching && StartsWith(line, "get ResultCode")) {
      return line == "get ResultCode -> 0";
    }
  }
  return false;
}

}  // namespace

AdapterRun::AdapterRun(const HostModule& tarnvik, const std::string& folder)
    : tarnvik_(tarnvik),
      device_(tarnvik.CreateDevice()),
      settingsPath_(folder + "/sim.ini"),
      journalPath_(folder + "/journal.txt"),
      debugJournalPath_(folder + "/Tarnvik.log") {
  WriteFileBytes(settingsPath_, "[Simulator]\nJournalFile=" + journalPath_ + "\n[Faults]\n");
  WriteFileBytes(journalPath_, "");
  WriteFileBytes(debugJournalPath_, "");
  device_.Call("SetParamValue", {0, folder + "/"});
  // Saved, so a LoadSettings among the operations keeps it on.
  device_.Call("SetParamValue", {1, true});
  device_.Call("SaveSettings");
  NewLines(debugJournalPath_, debugJournalOffset_);
}

void AdapterRun::Check(bool held, const std::string& what) {
  if (held || !failure_.empty()) return;
  std::ostringstream report;
  report << "step " << steps_ << ": " << what << "\nfaults of the driver object:";
  for (const std::string& fault : objectFaults_) report << ' ' << fault;
  report << "\nlast operations:";
  for (const std::string& line : trail_) report << "\n  " << line;
  failure_ = report.str();
}

std::vector<std::string> AdapterRun::TakeJournal() {
  std::vector<std::string> lines = NewLines(journalPath_, journalOffset_);
  CompareDebugJournal(lines);
  return lines;
}

void AdapterRun::CompareDebugJournal(const std::vector<std::string>& simulator) {
  std::vector<std::string> accesses;
  for (const std::string& line : NewLines(debugJournalPath_, debugJournalOffset_)) {
    // The driver object's creation is ours alone: the simulator journals
    // only what is asked of an object that exists.
    if (StartsWith(line, "  create ")) continue;
    if (StartsWith(line, "  ")) {
      accesses.push_back(AnsiToUtf8(line));
    } else {
      ++operationsJournaled_;
    }
  }
  Check(operationsJournaled_ == operations_, "the debug journal has " + std::to_string(operationsJournaled_) +
                                                 " operation lines for " + std::to_string(operations_) + " operations");
  bool same = accesses.size() == simulator.size();
  for (size_t i = 0; same && i < accesses.size(); ++i) same = StartsWith(accesses[i], AsJournaled(simulator[i]));
  if (same) return;
  std::string both = "the debug journal differs from the simulator's:";
  for (const std::string& line : simulator) both += "\n  simulator: " + line;
  for (const std::string& line : accesses) both += "\n  ours:    " + line;
  Check(false, both);
}

void AdapterRun::Follow(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (StartsWith(line, "put ACKTimeout")) {
      // The first thing asked of a new driver object: it starts switched
      // off, with the faults set when it was created.
      registerOn_ = false;
      enableRefused_ = enableRefusedNext_;
      objectFaults_ = faults_;
    } else if (Raised(line)) {
      continue;
    } else if (line == "get DeviceEnabled -> true" || line == "put DeviceEnabled = false") {
      registerOn_ = line == "get DeviceEnabled -> true";
    } else if (line == "get DeviceEnabled -> false") {
      registerOn_ = false;
    } else if (StartsWith(line, "put DeviceEnabled = true")) {
      registerOn_ = !enableRefused_;
    }
  }
}

AdapterRun::Reply AdapterRun::Call(std::string_view operation, std::initializer_list<Arg> args) {
  ++operations_;
  Reply reply{S_OK, {}};
  reply.status = device_.TryCall(operation, args, &reply.out);
  std::string shown = CallText(operation, args);
  Variant text;
  if (SUCCEEDED(reply.status) && reply.out.Type() != VT_EMPTY &&
      SUCCEEDED(VariantChangeType(text.Get(), &reply.out.Ref(), 0, VT_BSTR))) {
    shown += " -> " + AnsiToUtf8(text.ToAnsi());
  } else if (FAILED(reply.status)) {
    const std::string message = tarnvik_.LastErrorMessage();
    shown += " -> failure status: " + message;
    Check(!message.empty(), std::string(operation) + " failed without an error message");
  }
  trail_.push_back(shown);
  if (trail_.size() > 20) trail_.pop_front();
  return reply;
}

void AdapterRun::ChangeFaults(Choices& c) {
  ProfileFile settings(settingsPath_);
  for (const std::string& fault : faults_) settings.DeleteKey(kFaults, fault.substr(0, fault.find('=')));
  faults_.clear();
  enableRefusedNext_ = false;
  for (uint32_t count = c.Below(3); count > 0; --count) {
    if (c.OneIn(2)) {
      const std::string member = c.Pick(std::span<const char* const>(kRefusable));
      const std::string code = c.Pick(std::span<const char* const>(kCodes));
      settings.WriteString(kFaults, member, code);
      faults_.push_back(member + "=" + code);
      if (member == "DeviceEnabled") enableRefusedNext_ = true;
    } else {
      const std::string member = c.Pick(std::span<const char* const>(kRaising));
      settings.WriteString(kFaults, member, "raise");
      faults_.push_back(member + "=raise");
      if (member == "DeviceEnabled") enableRefusedNext_ = false;
    }
  }
  trail_.push_back("faults changed");
}

std::string AdapterRun::Step(Choices& choices) {
  ++steps_;
  if (choices.OneIn(5)) ChangeFaults(choices);
  Operation(choices);
  return failure_;
}

void AdapterRun::Operation(Choices& c) {
  const char* name = c.Pick(std::span<const char* const>(kNames));
  const double money = c.Pick({10.0, 0.0, 99.99, -5.0, 1e6});
  switch (c.Below(24)) {
    case 0:
    case 1:
    case 2:
      Call("SaleItem", {c.Pick({0, 1, 3}), name, c.Pick({1.0, 1.5, 0.0}), money, 1, 4, c.Pick({0, 2})});
      break;
    case 3:
      Call("ReturnItem", {1, name, 1.0, money, 1, 4, 0});
      break;
    case 4:
    case 5:
      Call("Payment", {money, c.Pick({0, 1, 3})});
      break;
    case 6:
    case 7: {
      const Reply closed = Call("CloseReceipt");
      const std::vector<std::string> lines = TakeJournal();
      Follow(lines);
      if (GotPastSwitchingOn(lines)) {
        Check(!registerOn_, "CloseReceipt left the register on");
        const Reply tax = Call("GetTaxSystem");
        Check(tax.out.ToInt() == -1, "CloseReceipt left the taxation system at " + std::to_string(tax.out.ToInt()));
        const Reply contact = Call("GetCustomerContact");
        Check(contact.out.ToAnsi().empty(), "CloseReceipt left the contact " + AnsiToUtf8(contact.out.ToAnsi()));
      }
      return;
    }
    case 8: {
      Call("CancelReceipt");
      const std::vector<std::string> lines = TakeJournal();
      Follow(lines);
      if (GotPastSwitchingOn(lines)) {
        // Without a connection a payment is refused and the driver not asked.
        const Reply probe = Call("Payment", {0.0, 0});
        Check(probe.status == S_OK && probe.out.ToInt() == 1, "CancelReceipt left a connection open");
        Check(TakeJournal().empty(), "CancelReceipt left a connection the payment used");
      }
      return;
    }
    case 9:
      Call(c.OneIn(2) ? "CashIn" : "CashOut", {money});
      break;
    case 10:
      Call(c.OneIn(2) ? "XReport" : "ZReport");
      break;
    case 11:
      Call("PrintText", {name});
      break;
    case 12:
      Call("FeedLines", {c.Pick({0, 1, 3, -2})});
      break;
    case 13:
      Call("PrintBarcode", {"4601234567890", 0});
      break;
    case 14:
      Call(c.Pick({"TestConnection", "GetDeviceStatus", "GetSerialNumber"}));
      break;
    case 15:
      Call(c.Pick({"GetLastDocNumber", "GetLastDocSum", "GetLastDocDateTime"}));
      break;
    case 16:
      Call(c.OneIn(2) ? "Connect" : "Disconnect");
      break;
    case 17:
    case 18:
      Call("SetTaxSystem", {c.Pick({-1, 0, 1, 3, 5, 9})});
      break;
    case 19:
    case 20:
      Call("SetCustomerContact", {c.Pick(std::span<const char* const>(kContacts))});
      break;
    case 21:
      Call("SetParamValue", {4, 0});  // the driver's own settings dialog
      break;
    case 22:
      Call(c.OneIn(2) ? "SaveSettings" : "LoadSettings");
      break;
    default:
      Call(c.Pick({"CloseReceiptAlt", "GetResultCode", "GetResultText", "ClearHeaderLines"}));
      break;
  }
  Follow(TakeJournal());
}

std::string AdapterRun::Finish(const HostModule& simulator) {
  device_ = HostDevice(ComPtr<IFiscalDevice>());
  Check(simulator.CanUnloadNow() == S_OK, "a driver object outlived the adapter object");
  Check(tarnvik_.CanUnloadNow() == S_OK, "the adapter object was not freed");
  return failure_;
}
