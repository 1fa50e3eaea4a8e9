#include "adapter/atol_driver.h"

#include <string>
#include <utility>

#include "adapter/journal_text.h"

namespace {

constexpr std::string_view kProgId = "AddIn.FprnM8";

// "  get Name": accesses are indented under the operation that made them.
std::string AccessText(const char* verb, DriverMember member) {
  return std::string("  ") + verb + " " + std::string(member.Name());
}

// The object made, or the error that stopped it, goes to the journal as
// "  create AddIn.FprnM8 -> ok": a replay must know how creation went.
AutomationObject CreateDriverObject(DebugJournal& journal) {
  const auto line = [] { return "  create " + std::string(kProgId) + " -> "; };
  try {
    AutomationObject object = AutomationObject::Create(kProgId, kDriverMemberNames);
    journal.Write([&] { return line() + "ok"; });
    return object;
  } catch (...) {
    journal.Write([&] { return line() + RaisedText(std::current_exception()); });
    throw;
  }
}

}  // namespace

AtolDriver::AtolDriver(DebugJournal& journal) : journal_(journal), object_(CreateDriverObject(journal)) {}

Variant AtolDriver::JournaledGet(DriverMember member) {
  return Read("get", member, [&] { return object_.Get(member.place); });
}

void AtolDriver::JournaledCall(DriverMember member) {
  // The result nobody reads still goes to the journal: it is the register's answer.
  Read("call", member, [&] { return object_.Call(member.place); });
}

template <class Access>
Variant AtolDriver::Read(const char* verb, DriverMember member, Access access) {
  try {
    Variant value = access();
    journal_.Write([&] { return AccessText(verb, member) + " -> " + JournalValue(value.Ref()); });
    return value;
  } catch (...) {
    journal_.Write([&] { return AccessText(verb, member) + " -> " + RaisedText(std::current_exception()); });
    throw;
  }
}

void AtolDriver::JournaledPut(DriverMember member, Variant&& value, bool byReference, Shown shown) {
  // Written down before the call: a value passed by reference may come back changed.
  const std::string line = journal_.Text([&] {
    const std::string given =
        shown == Shown::Masked ? JournalValue(Masked(VariantToAnsi(value.Ref()))) : JournalValue(value.Ref());
    return AccessText("put", member) + " = " + (byReference ? "&" : "") + given;
  });
  try {
    object_.Put(member.place, std::move(value), byReference);
  } catch (...) {
    journal_.Write([&] { return line + " -> " + RaisedText(std::current_exception()); });
    throw;
  }
  journal_.Write([&] { return line; });
}
