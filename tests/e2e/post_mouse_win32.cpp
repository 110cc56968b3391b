// Posts mouse messages to the running full-screen saver through the window
// system, as the end-to-end scripts cannot trust X input for counting: Wine
// merges pointer motions that arrive together. The saver's thread is held
// while a timer message (a fresh 500 ms period) and the moves are queued, so
// they reach its procedure back to back, whatever the machine's load.
// Usage: post_mouse <count>. Exit code 0 once every message was posted.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  int count = argc > 1 ? _wtoi(argv[1]) : 0;
  HWND saver = nullptr;
  for (int waited = 0; !saver && waited < 100; ++waited) {
    saver = FindWindowW(L"CorvaneScreenSaverClass", L"Corvane");
    if (!saver) Sleep(100);
  }
  if (!saver) {
    std::printf("no saver window\n");
    return 1;
  }
  HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(saver, nullptr));
  if (!thread || SuspendThread(thread) == static_cast<DWORD>(-1)) {
    std::printf("cannot hold the saver's thread (%lu)\n", GetLastError());
    return 1;
  }
  // Timer 9 is the saver's: its tick starts a fresh period, as a real one would.
  bool posted = PostMessageW(saver, WM_TIMER, 9, 0);
  for (int i = 0; i < count; ++i) posted = posted && PostMessageW(saver, WM_MOUSEMOVE, 0, MAKELPARAM(100 + 20 * i, 200));
  ResumeThread(thread);
  CloseHandle(thread);
  std::printf("%s %d mouse moves\n", posted ? "posted" : "failed to post", count);
  return posted ? 0 : 1;
}
