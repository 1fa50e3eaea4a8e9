// Which results of its operations a device keeps as its last result, the
// one GetResultCode answers and GetResultText explains. A device states it
// as one table; the frame applies it after each operation that returned
// (an operation whose out value is not a result code counts as result 0).
// An operation that raised an error keeps nothing.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "contract/operation_id.h"

class ResultRule {
 public:
  constexpr ResultRule() = default;  // keeps nothing
  static constexpr ResultRule Every() { return ResultRule(Kind::Every); }
  // Only these codes; any other leaves the last result as it was.
  static constexpr ResultRule Only(int32_t first, int32_t second) { return ResultRule(Kind::Only, first, second); }

  constexpr bool Keeps(int32_t result) const {
    return kind_ == Kind::Every || (kind_ == Kind::Only && (result == first_ || result == second_));
  }

 private:
  enum class Kind { Never, Every, Only };
  constexpr explicit ResultRule(Kind kind, int32_t first = 0, int32_t second = 0)
      : kind_(kind), first_(first), second_(second) {}
  Kind kind_ = Kind::Never;
  int32_t first_ = 0;
  int32_t second_ = 0;
};

// An operation the table does not name keeps nothing.
class ResultRules {
 public:
  struct Entry {
    OperationId operation;
    ResultRule rule;
  };
  consteval ResultRules(std::initializer_list<Entry> entries) {
    for (const Entry& entry : entries) rules_[static_cast<std::size_t>(entry.operation)] = entry.rule;
  }
  constexpr bool Keeps(OperationId operation, int32_t result) const {
    return rules_[static_cast<std::size_t>(operation)].Keeps(result);
  }

 private:
  std::array<ResultRule, kOperationCount + 1> rules_{};
};
