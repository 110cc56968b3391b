// Plays the part of the system's screen-saver settings page: makes a window,
// starts "Corvane.scr /p <handle>" into it, checks the preview child, feeds
// it input it must ignore, destroys the parent and checks the saver ends.
// Exit code 0 when every check held; each failure is printed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "host_checks_win32.h"
#include "os/window_class_win32.h"

namespace {

using host::Check;
using host::PumpFor;

HWND FindPreview(HWND parent, DWORD seconds) {
  for (DWORD waited = 0; waited < seconds * 1000; waited += 100) {
    HWND child = FindWindowExW(parent, nullptr, L"CorvaneScreenSaverClass", nullptr);
    if (child) return child;
    PumpFor(100);
  }
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: preview_host <path of Corvane.scr>\n");
    return 2;
  }
  HWND parent = CreateWindowExW(0, corvane::RegisterWindowClass({.name = L"PreviewHost"}), L"Preview host",
                                WS_POPUP | WS_VISIBLE, 40, 40, 320, 240, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
  Check(parent != nullptr, "parent window created");

  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\" /p " +
                         std::to_wstring(reinterpret_cast<uintptr_t>(parent));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  Check(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process),
        "saver process started");

  HWND preview = FindPreview(parent, 20);
  Check(preview != nullptr, "a CorvaneScreenSaverClass child appeared in the parent");
  if (preview) {
    RECT rect;
    GetWindowRect(preview, &rect);
    Check(rect.right - rect.left == 320 && rect.bottom - rect.top == 240, "the preview has the parent's size");
    wchar_t text[32] = L"";
    GetWindowTextW(preview, text, 32);
    Check(std::wstring(text) == L"Corvane", "the preview's window text is Corvane");

    PumpFor(1500);
    for (int i = 0; i < 10; ++i) PostMessageW(preview, WM_MOUSEMOVE, 0, MAKELPARAM(i * 10, i * 5));
    PostMessageW(preview, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageW(preview, WM_SYSCOMMAND, 0xF170, 2);
    PumpFor(1500);
    Check(IsWindow(preview) && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT,
          "keys, mouse and power messages leave the preview running");
  }

  DestroyWindow(parent);
  PumpFor(100);
  DWORD waited = WaitForSingleObject(process.hProcess, 15000);
  Check(waited == WAIT_OBJECT_0, "the saver ends when the parent is destroyed");
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  Check(exitCode == 0, "the saver exits cleanly");
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::printf("%d failure(s)\n", host::failures);
  return host::failures == 0 ? 0 : 1;
}
