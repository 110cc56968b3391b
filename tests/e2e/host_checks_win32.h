#pragma once
// Shared by the helper programs that play the system's settings page: each
// check prints one line; the failures are counted for the exit code.
#include <windows.h>

#include <cstdio>

namespace host {

inline int failures = 0;

inline void Check(bool condition, const char* what) {
  std::printf("%s: %s\n", condition ? "ok" : "FAILED", what);
  if (!condition) ++failures;
}

// Serves this thread's messages for a while, as a settings page would.
inline void PumpFor(DWORD milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  while (GetTickCount() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(20);
  }
}

}  // namespace host
