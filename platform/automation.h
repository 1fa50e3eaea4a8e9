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
  Variant Get(std::size_t member) { return InvokeGet(IdOf(member), names_[member]); }
  // Method call without arguments; its result, for whoever wants to see it.
  Variant Call(std::size_t member) { return InvokeCall(IdOf(member), names_[member]); }
  // Property put with one argument. `byReference` passes the value as a
  // reference to a variant, as some drivers expect for in-out members. The
  // value stays the caller's to the end of the call and is never moved: the
  // moves cost as much as the rest of the adapter's part of a call.
  void Put(std::size_t member, Variant&& value, bool byReference = false) {
    InvokePut(IdOf(member), names_[member], value, byReference);
  }

  Variant Get(std::string_view name) { return InvokeGet(IdOf(name), name); }
  Variant Call(std::string_view name) { return InvokeCall(IdOf(name), name); }
  void Put(std::string_view name, Variant&& value, bool byReference = false) {
    InvokePut(IdOf(name), name, value, byReference);
  }

  IDispatch* Raw() const { return server_.object.Get(); }

 private:
  DISPID IdOf(std::string_view name) const;
  // The member's id as kept, looked up on first use.
  DISPID IdOf(std::size_t member) {
    const DISPID id = ids_[member];
    return id != DISPID_UNKNOWN ? id : ids_[member] = IdOf(names_[member]);
  }
  Variant InvokeGet(DISPID id, std::string_view name) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return Invoke(id, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, none);
  }
  Variant InvokeCall(DISPID id, std::string_view name) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    return Invoke(id, name, DISPATCH_METHOD, none);
  }
  void InvokePut(DISPID id, std::string_view name, Variant& value, bool byReference);
  Variant Invoke(DISPID id, std::string_view name, WORD flags, DISPPARAMS& params);

  ServerObject server_;
  MemberNames names_;
  std::vector<DISPID> ids_;  // by place in names_; DISPID_UNKNOWN until first used
};
