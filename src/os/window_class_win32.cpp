#include "os/window_class_win32.h"

#include "os/os_error.h"

namespace corvane {

const wchar_t* RegisterWindowClass(const WindowClassArgs& args) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // The system's own table is the record of what is registered: no state of
  // ours to keep, and a second caller (any thread) finds the first one's class.
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, args.name, &existing)) return args.name;

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = args.style;
  windowClass.lpfnWndProc = args.procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = args.cursor;
  windowClass.hbrBackground = args.background;
  windowClass.hIcon = args.icon;
  windowClass.lpszClassName = args.name;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) RaiseLastOSErrorAt();
  return args.name;
}

}  // namespace corvane
