// Runs a piece of a test in a forked child, for what must not happen to the
// test process itself: a file-size limit, or being killed mid-write.
#pragma once

#include <sys/types.h>

#include <cstring>
#include <functional>
#include <string>

// What a child reports back: a status and a short text.
struct ChildReport {
  long status = 0;
  char text[480] = {};

  void SetText(const std::string& value) { std::strncpy(text, value.c_str(), sizeof text - 1); }
};

// Runs `body` in a child and waits for its report; throws when the child
// dies without one.
ChildReport RunInChild(const std::function<ChildReport()>& body);

// Starts `body` in a child that runs until it is killed.
pid_t StartChild(const std::function<void()>& body);
// SIGKILL, then waits for the child to be gone.
void KillChild(pid_t child);

// The superuser writes into any folder: a child that must see file
// permissions gives up its rights for good (becomes "nobody"). Nothing
// changes for anyone else.
void BecomeOrdinaryUser();

// Limits the size of every file this process writes (a write past it fails
// with EFBIG instead of raising SIGXFSZ).
void LimitFileSize(unsigned long long bytes);
