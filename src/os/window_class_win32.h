#pragma once
// The one place that registers window classes. Each name is registered once
// per process; later calls with the same name reuse the first registration.

#include <windows.h>

namespace corvane {

struct WindowClassArgs {
  const wchar_t* name = nullptr;
  WNDPROC procedure = DefWindowProcW;
  UINT style = 0;
  HCURSOR cursor = nullptr;  // none: the window sets its own
  HBRUSH background = nullptr;
  HICON icon = nullptr;
};

// Raises EOSError when the system refuses the class. Returns the name.
const wchar_t* RegisterWindowClass(const WindowClassArgs& args);

}  // namespace corvane
