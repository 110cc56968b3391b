#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

#include "os/thread.h"

namespace corvane {

// POSIX has no suspended creation: the thread is started by Resume. Normal
// users cannot raise priorities here, so the priority is only remembered.
struct Thread::Impl {
  std::thread thread;
};

Thread::Thread() : impl_(new Impl) {}

Thread::~Thread() {
  Terminate();
  WaitFor();
}

void Thread::Resume() {
  bool expected = false;
  if (started_.compare_exchange_strong(expected, true))
    impl_->thread = std::thread([this] { Body(); });
}

void Thread::WaitFor() {
  if (impl_->thread.joinable() && impl_->thread.get_id() != std::this_thread::get_id())
    impl_->thread.join();
}

void Thread::SetPriority(ThreadPriority priority) { priority_.store(priority); }

void Thread::Body() {
  threadId_.store(static_cast<uint32_t>(syscall(SYS_gettid)));
  Execute();
  if (onTerminate_) onTerminate_();
}

}  // namespace corvane
