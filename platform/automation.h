// Late-bound calls on an automation object, by member name. Each name's
// dispatch id is looked up once per object and kept. A failed lookup or
// call throws a ComError carrying the platform's message.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/class_registry.h"
#include "platform/com_ptr.h"
#include "platform/variant.h"

class AutomationObject {
 public:
  // Creates the object registered under `progId`; throws ComError.
  static AutomationObject Create(std::string_view progId);
  explicit AutomationObject(ServerObject object);

  // Member value: method call or property get without arguments.
  Variant Get(std::string_view name);
  // Method call without arguments, result ignored.
  void Call(std::string_view name);
  // Property put with one argument. `byReference` passes the value as a
  // reference to a variant, as some drivers expect for in-out members.
  void Put(std::string_view name, Variant value, bool byReference = false);

  IDispatch* Raw() const { return server_.object.Get(); }

 private:
  DISPID IdOf(std::string_view name);
  Variant Invoke(std::string_view name, WORD flags, DISPPARAMS& params);

  // Looked up by the name as given: a call builds no key string.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
  };

  ServerObject server_;
  std::unordered_map<std::string, DISPID, NameHash, std::equal_to<>> ids_;
};

