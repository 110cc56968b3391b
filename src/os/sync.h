#pragma once
// Events and the critical section shared by every thread of the program.

#include <cstdint>
#include <memory>
#include <mutex>

namespace corvane {

enum class WaitResult { Signalled, Timeout, Abandoned, Failed };

constexpr uint32_t kInfinite = 0xFFFFFFFFu;

class Event {
 public:
  Event(bool manualReset, bool initiallySignalled);
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();
  void Reset();
  // Waits at most timeoutMs (kInfinite: no limit). An auto-reset event is
  // reset by the wait that sees it signalled.
  WaitResult Wait(uint32_t timeoutMs);
  // The system error code of the last failed operation on this event.
  uint32_t LastError() const noexcept { return lastError_; }

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  uint32_t lastError_ = 0;
};

// A plain, non-recursive lock. std::mutex maps to a slim lock on Windows and
// to a pthread mutex elsewhere, which is all the program asks of it.
using CriticalSection = std::mutex;
using Lock = std::lock_guard<std::mutex>;

}  // namespace corvane
