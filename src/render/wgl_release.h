#pragma once
// Releasing WGL and GDI handles: a failure raises the system error, or is
// logged where the caller must go on (clean-up after a failure, destructors).
// Windows only.

#include <windows.h>

#include "os/os_error.h"
#include "workers/error_log.h"

namespace corvane {

enum class OnReleaseFailure { Raise, Log };

// True when the release call succeeded and its handle may be cleared.
inline bool Released(BOOL ok, OnReleaseFailure onFailure) {
  if (ok) return true;
  if (onFailure == OnReleaseFailure::Raise) RaiseLastOSErrorAt();
  LogLastOSError();
  return false;
}

}  // namespace corvane
