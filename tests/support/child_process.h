// Runs a piece of a test in a forked child, for what must not happen to the
// test process itself: a file-size limit, or being killed mid-write.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>

// What a child reports back: a status and a short text.
struct ChildReport {
  long status = 0;
  char text[480] = {};

  void SetText(const std::string& value) { std::strncpy(text, value.c_str(), sizeof text - 1); }
};

// Runs `fill` in a child, which fills the `size` bytes at `report` in its
// own copy of memory and sends them back; throws when the child dies
// without sending them.
void RunInChildInto(void* report, std::size_t size, const std::function<void()>& fill);

// Runs `body` in a child and waits for the report it returns (any plain
// struct, such as ChildReport).
template <class Body>
auto RunInChild(Body body) {
  using Report = decltype(body());
  static_assert(std::is_trivially_copyable_v<Report>);
  Report report{};
  RunInChildInto(&report, sizeof report, [&] { report = body(); });
  return report;
}

// Starts `body` in a child that runs until it is killed.
pid_t StartChild(const std::function<void()>& body);
// SIGKILL, then waits for the child to be gone.
void KillChild(pid_t child);

// The superuser writes into any folder: a child that must see file
// permissions gives up its rights for good (becomes "nobody"). Nothing
// changes for anyone else.
void BecomeOrdinaryUser();

// Limits the size of every file this process writes (a write past it fails
// with EFBIG instead of raising SIGXFSZ); the limit it had before.
unsigned long long LimitFileSize(unsigned long long bytes);
