#include "module/server_counters.h"

#include <atomic>

namespace {
// The only mutable state a module shares between its objects.
std::atomic<long> gServerReferences{0};
}  // namespace

void AddServerReference() { gServerReferences.fetch_add(1, std::memory_order_relaxed); }
void ReleaseServerReference() { gServerReferences.fetch_sub(1, std::memory_order_acq_rel); }
bool ServerInUse() { return gServerReferences.load(std::memory_order_acquire) != 0; }
