// The members of the ATOL driver object that the adapter uses, from the one
// list in driver_members.def. A member's place in this table is the fixed
// index under which its dispatch id is kept per driver object, and the
// journal prints its name from here. In the code a member is written
// "Name"_member, which finds its place while compiling: a name that is not
// in the table does not compile. Whatever stands in for the driver (the
// simulator, the replaying driver) answers from this same table.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

enum class MemberKind { Method, ReadOnly, ReadWrite };
enum class ValueType { Integer, Float, Boolean, Text, IntegerOrText };

struct DriverMemberInfo {
  std::string_view name;
  MemberKind kind;
  ValueType type;  // of a property's value; a method's result is an integer
};

inline constexpr DriverMemberInfo kDriverMembers[] = {
#define DRIVER_MEMBER(name, kind, type) {#name, MemberKind::kind, ValueType::type},
#include "adapter/driver_members.def"
#undef DRIVER_MEMBER
};

inline constexpr std::size_t kDriverMemberCount = std::size(kDriverMembers);

// The names alone, in the same order, as late binding takes them.
inline constexpr auto kDriverMemberNames = [] {
  std::array<std::string_view, kDriverMemberCount> names;
  for (std::size_t place = 0; place < kDriverMemberCount; ++place) names[place] = kDriverMembers[place].name;
  return names;
}();

consteval bool EachNameOnce() {
  for (std::size_t i = 0; i < kDriverMemberCount; ++i) {
    for (std::size_t j = i + 1; j < kDriverMemberCount; ++j) {
      if (kDriverMembers[i].name == kDriverMembers[j].name) return false;
    }
  }
  return true;
}
static_assert(EachNameOnce(), "a driver member is named twice");

struct DriverMember {
  std::size_t place;
  std::string_view Name() const { return kDriverMembers[place].name; }
};

consteval DriverMember operator""_member(const char* name, std::size_t length) {
  for (std::size_t place = 0; place < kDriverMemberCount; ++place) {
    if (kDriverMembers[place].name == std::string_view(name, length)) return {place};
  }
  throw "no such member in the driver member table";
}
