// Answers a message box the way a user pressing OK would, by its caption,
// through the window system rather than X input (which a full-screen saver
// window may hold). Prints the caption of the window that owns the box (an
// empty line for none). Exit code 0 once a box was answered, 1 after the wait.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
  std::wstring caption = argc > 1 ? argv[1] : L"Application Error";
  int seconds = argc > 2 ? _wtoi(argv[2]) : 20;
  for (int waited = 0; waited < seconds * 10; ++waited) {
    if (HWND box = FindWindowW(nullptr, caption.c_str())) {
      wchar_t owner[256] = L"";
      if (HWND window = GetWindow(box, GW_OWNER)) GetWindowTextW(window, owner, 256);
      std::printf("%ls\n", owner);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      return 0;
    }
    Sleep(100);
  }
  return 1;
}
