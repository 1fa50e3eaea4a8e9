// Driver member accesses replayed with one raw IDispatch::Invoke each, every
// dispatch id looked up and every argument built beforehand: the floor the
// adapter's own member calls are measured against.
#pragma once

#include <vector>

#include "bench/driver_script.h"
#include "platform/com.h"

class DriverReplay {
 public:
  // Borrows `driver`, which must outlive the replay. Throws
  // std::runtime_error for a member the driver does not know.
  DriverReplay(IDispatch& driver, const std::vector<DriverAccess>& accesses);
  DriverReplay(const DriverReplay&) = delete;
  DriverReplay& operator=(const DriverReplay&) = delete;

  size_t Size() const { return steps_.size(); }
  // Runs every access once; false as soon as one fails.
  bool Run();

 private:
  struct Step {
    DISPID id;
    WORD flags;
    Variant value;
    VARIANT reference;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
  };
  IDispatch& driver_;
  std::vector<Step> steps_;
};
