#include "host/replay.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "adapter/journal_text.h"
#include "contract/operations.h"
#include "host/commands.h"
#include "host/device_caller.h"
#include "host/plugin_module.h"
#include "platform/class_objects.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/file_names.h"
#include "platform/module_path.h"
#include "platform/system_path.h"
#include "platform/variant.h"
#include "platform/whole_file.h"
#include "simulator/replay_driver.h"
#include "simulator/replay_journal.h"

namespace {

constexpr std::string_view kDriverProgId = "AddIn.FprnM8";
constexpr std::string_view kIndent = "   ";

// Operations that only read or write the settings file: a replay leaves
// the files of this machine as they are, and they ask nothing of the driver.
bool TouchesSettingsFile(std::string_view operation) {
  return operation == "LoadSettings" || operation == "SaveSettings";
}


// The out value as the journal writes it.
std::string OutText(const Operation& operation, const CallOutcome& outcome) {
  if (FAILED(outcome.status)) return RaiseText({outcome.status, Utf8ToAnsi(outcome.message)});
  const VARIANT& out = outcome.out.Ref();
  switch (operation.out) {
    case ValueKind::None:
      return "";
    case ValueKind::DateTime:
      return DateText(VariantToDouble(out));
    case ValueKind::Text:
      return operation.holdsPersonalData ? JournalValue(Masked(VariantToAnsi(out))) : JournalValue(out);
    default:
      return JournalValue(out);
  }
}

std::string ResultText(VtableCaller& caller) {
  const CallOutcome code = caller.Call(*FindOperation(std::string_view("GetResultCode")), {});
  const CallOutcome text = caller.Call(*FindOperation(std::string_view("GetResultText")), {});
  return "ResultCode " + JournalValue(code.out.Ref()) + ", ResultText " + JournalValue(text.out.Ref());
}

std::string Outcome(const std::string& outText, const std::string& result) {
  return (outText.empty() ? "" : "-> " + outText + ", ") + result;
}

std::string Utf8(std::string_view ansi) { return AnsiToUtf8(ansi); }

std::string CallText(const RecordedOperation& operation) {
  std::string text = operation.name + "(";
  if (!operation.arguments) return text + "refused by the module)";
  for (std::size_t i = 0; i < operation.arguments->size(); ++i) text += (i ? ", " : "") + (*operation.arguments)[i];
  return text + ")";
}

// Plays the operations back; false at the first difference.
class Replay {
 public:
  Replay(IFiscalDevice& device, const PluginModule& module, ReplayCursor& cursor, std::ostream& out)
      : caller_(device, module), cursor_(cursor), out_(out) {}

  // False when the replay stopped at a driver access that differs.
  bool Run(const RecordedOperation& recorded) {
    out_ << recorded.line << ' ' << Utf8(CallText(recorded)) << '\n';
    const std::string recordedOutcome = Outcome(recorded.outcome, recorded.result);
    out_ << kIndent << "recorded " << Utf8(recordedOutcome) << '\n';
    const Operation* operation = FindOperation(std::string_view(recorded.name));
    if (!recorded.arguments) return Note("not replayed: refused by the module, the journal holds no arguments");
    if (TouchesSettingsFile(recorded.name)) return Note("not replayed: the settings file of this machine stays as it is");
    if (!operation || operation->arguments.size() != recorded.arguments->size()) {
      matched_ = false;
      return Note("not replayed: no such operation with " + std::to_string(recorded.arguments->size()) + " arguments");
    }
    if (operation->holdsPersonalData) Note("the customer contact is replayed masked, as the journal holds it");

    std::vector<Variant> owned;
    for (const std::string& text : *recorded.arguments) owned.push_back(std::move(*JournalTextValue(text)));
    std::vector<VARIANT> arguments;
    for (const Variant& value : owned) arguments.push_back(value.Ref());
    cursor_.Begin(recorded.accesses, recorded.line);
    const CallOutcome outcome = caller_.Call(*operation, arguments);
    cursor_.End();
    if (const auto& mismatch = cursor_.Mismatch()) {
      out_ << "line " << mismatch->line << ": the adapter's driver access differs from the journal\n"
           << kIndent << "recorded " << Utf8(mismatch->recorded) << '\n'
           << kIndent << "actual   " << Utf8(mismatch->actual) << '\n';
      return false;
    }
    const std::string replayedOutcome = Outcome(OutText(*operation, outcome), ResultText(caller_));
    const bool same = replayedOutcome == recordedOutcome;
    out_ << kIndent << "replayed " << Utf8(replayedOutcome) << (same ? "" : "   <- differs") << '\n';
    matched_ = matched_ && same;
    return true;
  }

  bool Matched() const { return matched_; }

 private:
  bool Note(const std::string& note) {
    out_ << kIndent << note << '\n';
    return true;
  }

  VtableCaller caller_;
  ReplayCursor& cursor_;
  std::ostream& out_;
  bool matched_ = true;
};

}  // namespace

std::string TarnvikBesideXhw() {
  return Beside(ThisModulePath(), "Tarnvik.xhw").value_or("Tarnvik.xhw");
}

namespace {

// The journal read whole; a journal that cannot be read, or a line in it,
// is reported on `err`.
std::optional<RecordedJournal> ReadJournal(const std::string& journalPath, std::ostream& err) {
  const std::string shown = SystemPathToUtf8(journalPath);
  try {
    const std::optional<std::string> bytes = ReadWholeFile(journalPath);
    if (bytes) return ReadRecordedJournal(*bytes);
    err << "xhw: no journal " << shown << '\n';
  } catch (const JournalLineError& e) {
    err << shown << ':' << e.Line() << ": cannot read this line: " << e.what() << '\n';
  } catch (const ComError& e) {
    err << "xhw: cannot read the journal " << shown << ": " << AnsiToUtf8(e.what()) << '\n';
  }
  return std::nullopt;
}

// The replaying driver registered for this process under the class the
// driver's ProgID names; nothing when no class is registered under it.
std::optional<ProcessClassObject> StandInForDriver(IClassFactory& factory, std::ostream& err) {
  try {
    return std::optional<ProcessClassObject>(std::in_place, kDriverProgId, factory);
  } catch (const ComError& e) {
    err << "xhw: replay stands in for the driver \"" << kDriverProgId
        << "\" in this process only, under the class its ProgID names, and no class is registered under "
           "\"" << kDriverProgId << "\" (" << AnsiToUtf8(e.what())
        << "): install the ATOL driver, or register the simulator (xhw register FprnM8Sim)\n";
    return std::nullopt;
  }
}

}  // namespace

int ReplayJournal(const std::string& journalPath, const std::string& modulePath, std::ostream& out,
                  std::ostream& err) {
  const std::optional<RecordedJournal> journal = ReadJournal(journalPath, err);
  if (!journal) return kExitUsage;
  ReplayCursor cursor;
  ReplayDriverFactory factory(cursor);
  const std::optional<ProcessClassObject> driver = StandInForDriver(factory, err);
  if (!driver) return kExitUsage;

  const PluginModule module(modulePath);
  bool matched = true;
  bool stopped = false;
  {  // The device goes before the driver's registration and the factory.
    const ComPtr<IFiscalDevice> device = module.CreateDevice();
    Replay replay(*device.Get(), module, cursor, out);
    for (const RecordedOperation& operation : journal->operations) {
      if (!replay.Run(operation)) {
        stopped = true;
        break;
      }
    }
    matched = replay.Matched();
  }
  if (journal->cutAt && !stopped) {
    out << "note: the journal ends inside an operation whose driver accesses begin on line " << *journal->cutAt
        << "; replayed up to the last whole operation\n";
  }
  if (stopped) return kExitFailed;
  out << (matched ? "every driver access and every result as recorded\n" : "a result differs from the journal\n");
  return matched ? kExitOk : kExitFailed;
}
