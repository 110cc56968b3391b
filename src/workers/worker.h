#pragma once
// The base of every command-driven thread: it waits for commands, hands each
// to the subclass, runs the subclass's start and finish steps on the thread
// itself, ends only when told to stop and no result is left uncollected, and
// logs any exception that escapes the thread.

#include <atomic>
#include <cstdint>
#include <new>

#include "os/sync.h"
#include "workers/aligned_memory.h"
#include "workers/command_queue.h"
#include "workers/ret_data.h"

namespace corvane {

class TWorker : public TAlignThread {
 public:
  // Created suspended: the owner sets priority and end notification, then
  // resumes it.
  TWorker(uint32_t paramsSize, uint32_t retDataSize);
  ~TWorker() override;

  // Workers are destroyed with `delete`, which stops the thread and waits
  // for it before any destructor runs: a running thread must never see a
  // half-destroyed subclass. Never-started workers end without running.
  static void operator delete(TWorker* worker, std::destroying_delete_t);
  // Declared here so that the compiler pairs them with the delete above;
  // the plain delete frees the block when a constructor throws.
  static void* operator new(size_t size);
  static void operator delete(void* block) noexcept;

  TQueueCommands& Queue() noexcept { return queue_; }
  TListRetData& RetData() noexcept { return retData_; }

  // Asks the loop to end at its next wake-up (once no result waits).
  void StopWorker();
  // Waits for a reply event in steps of 1000 ms; false when the wait is
  // abandoned or the worker has ended without setting it.
  bool WaitForReply(Event& replyEvent);

  // True once the command loop has ended.
  bool Finished() const noexcept { return finished_.load(); }
  // Milliseconds per wait on the queue's event.
  uint32_t WaitTimeout() const noexcept { return waitTimeout_.load(); }
  void SetWaitTimeout(uint32_t ms) noexcept { waitTimeout_.store(ms); }

  // The name the error log prints as "Handler" (for example "TDrawer").
  virtual const char* ClassName() const noexcept = 0;

 protected:
  // Runs once on the thread before the first wait.
  virtual void StartWork() = 0;
  // Handles at most one queued command, or does one idle pass when the
  // queue is empty.
  virtual void ExecuteCommand() = 0;
  // Runs once on the thread after the loop.
  virtual void FinishWork() = 0;

 private:
  void Execute() final;
  void CommandLoop();
  void EndLoop();
  void EndThread();

  TQueueCommands queue_;
  TListRetData retData_;
  std::atomic<uint32_t> waitTimeout_{1000};
  std::atomic<bool> finished_{false};
  // Also set when StartWork raised, which leaves Finished false.
  std::atomic<bool> bodyEnded_{false};
};

}  // namespace corvane
