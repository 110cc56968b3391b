#pragma once
// Shared helpers of the test programs.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "os/message_box.h"
#include "os/sync.h"

namespace corvane::test {

// Every message box requested since the last ClearMessageBoxes (the test
// programs never open a real one).
std::vector<MessageBoxRequest> MessageBoxes();
void ClearMessageBoxes();

// A fresh, empty directory under the system's temporary folder, removed
// with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Points the process error log at a file of its own with fresh once-flags,
// and forgets earlier boxes; restores the log beside the test program after.
class ScopedErrorLog {
 public:
  ScopedErrorLog();
  ~ScopedErrorLog();
  const std::string& Path() const { return path_; }
  std::string Contents() const;

 private:
  TempDir dir_;
  std::string path_;
};

// The message of the E that `action` raises; "" when it raises nothing.
// Anything else it raises goes on to the test.
template <class E, class F>
std::string Raised(F&& action) {
  try {
    action();
  } catch (const E& e) {
    return e.what();
  }
  return "";
}

// Answers the program's file dialogs in turn, as a user would: a path, or
// none for Cancel. A dialog nobody expected fails the test and is cancelled.
struct DialogAnswers {
  std::optional<std::string> Next();
  std::deque<std::optional<std::string>> queue;
  int asked = 0;
};

// How long a test waits for something that normally takes a moment before
// it fails instead of hanging: generous, for loaded machines and sanitizers.
inline constexpr uint32_t kHangLimitMs = 30000;

// Polls `condition` every few milliseconds; false once `limitMs` has passed
// without it becoming true.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, uint32_t limitMs = kHangLimitMs);

// Runs `work` on a thread of its own and waits up to `limitMs` for it to
// end; false when it has not. That thread is then left to itself, so `work`
// must own everything it touches (move the objects in).
template <typename Work>
[[nodiscard]] bool EndsWithin(uint32_t limitMs, Work work) {
  auto done = std::make_shared<Event>(true, false);
  std::thread([done, work = std::move(work)]() mutable {
    work();
    done->Set();
  }).detach();
  return done->Wait(limitMs) == WaitResult::Signalled;
}

// For work that must stay on the calling thread (a window's messages) and so
// cannot be run by EndsWithin: when the scope has not ended after `limitMs`,
// the test program ends as failed, naming `what`, instead of hanging.
class HangWatch {
 public:
  explicit HangWatch(std::string what, uint32_t limitMs = kHangLimitMs);
  ~HangWatch();
  HangWatch(const HangWatch&) = delete;
  HangWatch& operator=(const HangWatch&) = delete;

 private:
  std::shared_ptr<Event> done_ = std::make_shared<Event>(true, false);
};

#if !defined(_WIN32)
// While it lives, writing a file past `bytes` fails as on a full disk.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(uint64_t bytes);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  uint64_t saved_;
  void (*savedSignal_)(int);
};
#endif

// The names of the files in a directory, sorted.
std::vector<std::string> FileNamesIn(const std::string& directory);

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& contents);

}  // namespace corvane::test
