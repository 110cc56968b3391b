#include <cerrno>
#include <chrono>
#include <condition_variable>

#include "os/sync.h"

namespace corvane {

struct Event::Impl {
  std::mutex mutex;
  std::condition_variable changed;
  bool manualReset;
  bool signalled;
};

Event::Event(bool manualReset, bool initiallySignalled)
    : impl_(new Impl{{}, {}, manualReset, initiallySignalled}) {}

Event::~Event() = default;

void Event::Set() {
  // Notified under the lock: a waiter woken by this may destroy the event
  // as soon as its wait returns, which it cannot do before the unlock.
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->signalled = true;
  if (impl_->manualReset)
    impl_->changed.notify_all();
  else
    impl_->changed.notify_one();
}

void Event::Reset() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->signalled = false;
}

WaitResult Event::Wait(uint32_t timeoutMs) {
  std::unique_lock<std::mutex> lock(impl_->mutex);
  auto isSet = [this] { return impl_->signalled; };
  if (timeoutMs == kInfinite) {
    impl_->changed.wait(lock, isSet);
  } else if (!impl_->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), isSet)) {
    return WaitResult::Timeout;
  }
  if (!impl_->manualReset) impl_->signalled = false;
  return WaitResult::Signalled;
}

}  // namespace corvane
