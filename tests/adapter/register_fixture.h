// A Tarnvik object driven as the host drives it, against the register
// simulator registered as "AddIn.FprnM8" in a class registry of its own.
// The simulator's journal records every driver member the adapter touched.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/host_module.h"
#include "tests/support/temp_dir.h"

using Lines = std::vector<std::string>;

// The simulator's call journal, read in portions.
class Journal {
 public:
  explicit Journal(std::string path) : path_(std::move(path)) {}
  // The lines written since the last call.
  Lines Take();

 private:
  std::string path_;
  size_t seen_ = 0;
};

size_t CountOf(const Lines& lines, const std::string& line);

// The adapter's own debug journal: its lines in UTF-8, each operation's line
// without the time the operation took (which varies; its form is checked).
// A line end other than CR LF fails the test.
Lines ReadDebugJournal(const std::string& path);

// The lines of one connection made from nothing, and of the register
// switched on and off again around an operation.
extern const Lines kConnecting;
extern const Lines kSwitchingOn;
extern const Lines kSwitchingOffAndDisconnecting;
Lines Joined(std::initializer_list<Lines> parts);

class RegisterTest : public ::testing::Test {
 protected:
  RegisterTest();
  ~RegisterTest() override;

  // Rewrites the simulator's settings with extra sections ("[State]\n...",
  // "[Faults]\n..."); read when the adapter next creates a driver object.
  void Simulate(const std::string& sections);
  // Debug mode on from the next operation, with the journal file at `path`.
  void JournalTo(const std::string& path);
  // Adds the simulator to the class registry, or removes it.
  void Register();
  void Unregister();

  HostDevice& Device() { return device_; }
  // The code a host sees after a call that must fail with a failure status.
  HRESULT Fails(std::string_view operation, std::initializer_list<Arg> args = {});
  std::string SettingsPath(const std::string& name) const { return config_.SettingsFolder() + "/" + name; }
  const TempDir& Dir() const { return config_.Dir(); }

 private:
  HostThread thread_;
  IsolatedConfig config_;
  FileRemoval settingsRemoval_;
  ScopedEnv registry_;
  ScopedEnv simulatorSettings_;
  ScopedEnv clock_;
  HostModule simulator_;
  HostModule tarnvik_;
  HostDevice device_;

 protected:
  Journal journal_;
};
