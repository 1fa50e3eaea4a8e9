// Reference counting for the objects a module hands out: each live object
// keeps the module loaded (DllCanUnloadNow) until its last Release.
#pragma once

#include <atomic>

#include "module/server_counters.h"
#include "platform/com.h"

class RefCount {
 public:
  RefCount() { AddServerReference(); }
  ~RefCount() { ReleaseServerReference(); }
  RefCount(const RefCount&) = delete;
  RefCount& operator=(const RefCount&) = delete;

  ULONG Add() { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }
  // The count left; the owner deletes itself at zero.
  ULONG Release() { return refs_.fetch_sub(1, std::memory_order_acq_rel) - 1; }

 private:
  std::atomic<ULONG> refs_{1};
};
