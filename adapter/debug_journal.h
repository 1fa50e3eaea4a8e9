// The journal of debug mode: for one operation at a time, its lines go to
// the journal file as they happen. The file is opened for append at the
// operation's first line and closed at its end, so between operations it
// can be read, copied or deleted. A journal that cannot be opened or
// written is given up for the rest of the operation: nothing about it ever
// fails or delays the operation itself.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/clock.h"
#include "platform/text_file.h"

class DebugJournal {
 public:
  // Past this size the file is renamed to "<name>.1", an older one replaced,
  // and a new file begins: a till keeps about twice this at the most.
  static constexpr std::uint64_t kRotateAbove = 10 * 1000 * 1000;

  // Begins an operation whose lines go to the file named by `path()`
  // (module text).
  template <class Path>
  void Begin(Path path) noexcept {
    End();
    try {
      path_ = path();
      started_ = LocalTimestamp();
      stopwatch_ = Stopwatch();
      on_ = true;
    } catch (...) {
      on_ = false;
    }
  }

  // Whether this operation's lines are wanted.
  bool On() const { return on_; }

  // Appends the line `make()` makes (the line end is added); making or
  // writing it may fail, which gives up the journal for this operation.
  template <class MakeLine>
  void Write(MakeLine make) noexcept {
    std::string line = Text(make);
    if (on_) Append(std::move(line));
  }

  // The text `make()` makes, or none when that fails (which gives up the
  // journal for this operation).
  template <class MakeText>
  std::string Text(MakeText make) noexcept {
    if (!on_) return {};
    try {
      return make();
    } catch (...) {
      End();
      return {};
    }
  }

  // When the operation began, and how long ago.
  const std::string& Started() const { return started_; }
  double Milliseconds() const { return stopwatch_.Milliseconds(); }

  // Ends the operation and closes the file.
  void End() noexcept {
    on_ = false;
    file_.Close();
  }

 private:
  void Append(std::string line) noexcept;
  bool Open();

  TextFile file_;
  std::string path_;
  std::string started_;
  Stopwatch stopwatch_;
  bool on_ = false;
};
