#include <windows.h>

#include "os/os_error.h"
#include "os/thread.h"

namespace corvane {

struct Thread::Impl {
  HANDLE handle = nullptr;
  DWORD id = 0;
  bool joined = false;
  std::atomic<bool> cancelled{false};
};

namespace {

int NativePriority(ThreadPriority priority) {
  switch (priority) {
    case ThreadPriority::Idle: return THREAD_PRIORITY_IDLE;
    case ThreadPriority::Lowest: return THREAD_PRIORITY_LOWEST;
    case ThreadPriority::Lower: return THREAD_PRIORITY_BELOW_NORMAL;
    case ThreadPriority::Normal: return THREAD_PRIORITY_NORMAL;
    case ThreadPriority::Higher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case ThreadPriority::Highest: return THREAD_PRIORITY_HIGHEST;
    case ThreadPriority::TimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
  }
  return THREAD_PRIORITY_NORMAL;
}

}  // namespace

Thread::Thread() : impl_(new Impl) {
  impl_->handle = CreateThread(
      nullptr, 0,
      [](LPVOID self) -> DWORD {
        auto* thread = static_cast<Thread*>(self);
        // A thread destroyed before it was resumed never runs its body.
        if (!thread->impl_->cancelled.load()) thread->Body();
        return 0;
      },
      this, CREATE_SUSPENDED, &impl_->id);
  if (!impl_->handle) RaiseLastOSErrorAt();
  threadId_.store(impl_->id);
}

Thread::~Thread() {
  Terminate();
  if (!started_.load()) {
    impl_->cancelled.store(true);
    started_.store(true);
    ResumeThread(impl_->handle);
  }
  WaitFor();
  CloseHandle(impl_->handle);
}

void Thread::Resume() {
  bool expected = false;
  if (started_.compare_exchange_strong(expected, true)) {
    if (ResumeThread(impl_->handle) == static_cast<DWORD>(-1)) RaiseLastOSErrorAt();
  }
}

void Thread::WaitFor() {
  if (!started_.load() || impl_->joined || GetCurrentThreadId() == impl_->id) return;
  WaitForSingleObject(impl_->handle, INFINITE);
  impl_->joined = true;
}

void Thread::SetPriority(ThreadPriority priority) {
  priority_.store(priority);
  if (!SetThreadPriority(impl_->handle, NativePriority(priority))) RaiseLastOSErrorAt();
}

void Thread::Body() {
  Execute();
  if (onTerminate_) onTerminate_();
}

}  // namespace corvane
