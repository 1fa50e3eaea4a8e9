// Late-bound calls on an automation object. A client that calls a fixed set
// of members names them once, in a table; each call then takes the member's
// place in that table, and its dispatch id is looked up on first use and
// kept per object, so a call costs an array read. Calls by name (tests and
// tools) look the name up every time. A failed lookup or call throws a
// ComError carrying the platform's message, or the server's own.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/class_registry.h"
#include "platform/com_ptr.h"
#include "platform/variant.h"

using MemberNames = std::span<const std::string_view>;

class AutomationObject {
 public:
  // Creates the object registered under `progId`; throws ComError.
  static AutomationObject Create(std::string_view progId, MemberNames members = {});
  explicit AutomationObject(ServerObject object, MemberNames members = {});

  // Member value: method call or property get without arguments.
  Variant Get(std::size_t member);
  // Method call without arguments; its result, for whoever wants to see it.
  Variant Call(std::size_t member);
  // Property put with one argument. `byReference` passes the value as a
  // reference to a variant, as some drivers expect for in-out members.
  void Put(std::size_t member, Variant value, bool byReference = false);

  Variant Get(std::string_view name) { return InvokeGet(IdOf(name), name); }
  Variant Call(std::string_view name) { return InvokeCall(IdOf(name), name); }
  void Put(std::string_view name, Variant value, bool byReference = false) {
    InvokePut(IdOf(name), name, std::move(value), byReference);
  }

  std::string_view NameOf(std::size_t member) const { return names_[member]; }
  IDispatch* Raw() const { return server_.object.Get(); }

 private:
  DISPID IdOf(std::string_view name) const;
  DISPID IdOf(std::size_t member);
  Variant InvokeGet(DISPID id, std::string_view name);
  Variant InvokeCall(DISPID id, std::string_view name);
  void InvokePut(DISPID id, std::string_view name, Variant value, bool byReference);
  Variant Invoke(DISPID id, std::string_view name, WORD flags, DISPPARAMS& params);

  ServerObject server_;
  MemberNames names_;
  std::vector<DISPID> ids_;  // by place in names_; DISPID_UNKNOWN until first used
};
