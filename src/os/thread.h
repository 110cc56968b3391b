#pragma once
// A thread object created suspended: the owner sets its priority and end
// notification, then resumes it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace corvane {

enum class ThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

class Thread {
 public:
  Thread();
  // The subclass must have ended the thread (Terminate + WaitFor) before its
  // own members go; a never-resumed thread is ended here without running.
  virtual ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  void Resume();
  bool Started() const noexcept { return started_.load(); }
  // Joins the thread; returns at once if it was never resumed.
  void WaitFor();

  void Terminate() noexcept { terminated_.store(true); }
  bool Terminated() const noexcept { return terminated_.load(); }

  void SetPriority(ThreadPriority priority);
  ThreadPriority Priority() const noexcept { return priority_.load(); }

  // Runs on the thread itself after Execute returns.
  void SetOnTerminate(std::function<void()> handler) { onTerminate_ = std::move(handler); }

  // The operating system's id of the thread, 0 before it started.
  uint32_t ThreadId() const noexcept { return threadId_.load(); }

 protected:
  virtual void Execute() = 0;

 private:
  struct Impl;
  void Body();

  std::unique_ptr<Impl> impl_;
  std::atomic<bool> started_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<ThreadPriority> priority_{ThreadPriority::Normal};
  std::atomic<uint32_t> threadId_{0};
  std::function<void()> onTerminate_;
};

}  // namespace corvane
