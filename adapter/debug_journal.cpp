#include "adapter/debug_journal.h"

void DebugJournal::Append(std::string line) noexcept {
  try {
    line += "\r\n";
    if ((file_.IsOpen() || Open()) && file_.Write(line)) return;
  } catch (...) {
    // Without memory for the line the journal is given up, as after a failed write.
  }
  End();
}

bool DebugJournal::Open() {
  file_.Assign(path_);
  if (!file_.OpenAppend()) return false;
  if (file_.Size() <= kRotateAbove) return true;
  // A rename that fails (a reader holding the file on Windows) only means
  // the old file grows a little longer.
  file_.RenameTo(path_ + ".1");
  return file_.OpenAppend();
}
