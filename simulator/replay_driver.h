// A driver object that is a debug journal played back: each access the
// adapter makes is checked against the next one recorded (member, get,
// call or put, the value written) and answered as recorded: the value read,
// the method's result, or the automation error with its description. At
// the first access that differs it keeps what was expected and what came,
// and answers that and every later access with an automation error, so the
// operation ends at once.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/com.h"
#include "simulator/replay_journal.h"

struct ReplayMismatch {
  int line;              // of the recorded access, or of the operation that had no more
  std::string recorded;  // the journal's access, or what the journal has instead
  std::string actual;    // the adapter's access, or what it did instead
};

// The accesses of the operation being replayed, in turn.
class ReplayCursor {
 public:
  // The accesses the operation recorded on line `operationLine` made.
  void Begin(std::span<const RecordedAccess> accesses, int operationLine);
  // The recorded access when `actual` is the one due (`verb`, `member`, the
  // value's journal text for a put); null after a mismatch.
  const RecordedAccess* Next(AccessVerb verb, std::string_view member, const std::string& value);
  // At the operation's end: a recorded access it did not make is a mismatch too.
  void End();
  const std::optional<ReplayMismatch>& Mismatch() const { return mismatch_; }

 private:
  std::span<const RecordedAccess> accesses_;
  std::size_t next_ = 0;
  int operationLine_ = 0;
  std::optional<ReplayMismatch> mismatch_;
};

// The driver's class factory: each object it makes takes its answers from
// `cursor`, and so does its creation, which fails as recorded. The
// factory lives on the caller's stack; its reference count only checks.
class ReplayDriverFactory final : public IClassFactory {
 public:
  explicit ReplayDriverFactory(ReplayCursor& cursor) : cursor_(cursor) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ReplayCursor& cursor_;
  ULONG refs_ = 0;
};

// The access as the journal writes it: "put Name = &value", "get Name".
std::string AccessText(AccessVerb verb, std::string_view member, const std::string& value);
