#include <windows.h>

#include "os/os_error.h"
#include "os/sync.h"

namespace corvane {

struct Event::Impl {
  HANDLE handle;
};

Event::Event(bool manualReset, bool initiallySignalled)
    : impl_(new Impl{CreateEventW(nullptr, manualReset, initiallySignalled, nullptr)}) {
  if (!impl_->handle) RaiseLastOSErrorAt();
}

Event::~Event() { CloseHandle(impl_->handle); }

void Event::Set() {
  if (!SetEvent(impl_->handle)) lastError_ = GetLastError();
}

void Event::Reset() {
  if (!ResetEvent(impl_->handle)) lastError_ = GetLastError();
}

WaitResult Event::Wait(uint32_t timeoutMs) {
  switch (WaitForSingleObject(impl_->handle, timeoutMs == kInfinite ? INFINITE : timeoutMs)) {
    case WAIT_OBJECT_0:
      return WaitResult::Signalled;
    case WAIT_TIMEOUT:
      return WaitResult::Timeout;
    case WAIT_ABANDONED:
      return WaitResult::Abandoned;
    default:
      lastError_ = GetLastError();
      return WaitResult::Failed;
  }
}

}  // namespace corvane
