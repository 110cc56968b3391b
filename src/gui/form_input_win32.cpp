// A form's key and mouse messages, turned into its events.
#include "gui/form_win32.h"

#include <windowsx.h>

namespace corvane::gui {
namespace {

Shift MouseShift(WPARAM keys) {
  Shift shift = Shift::None;
  if (keys & MK_SHIFT) shift = shift | Shift::Shift;
  if (keys & MK_CONTROL) shift = shift | Shift::Ctrl;
  if (GetKeyState(VK_MENU) < 0) shift = shift | Shift::Alt;
  if (keys & MK_LBUTTON) shift = shift | Shift::Left;
  if (keys & MK_RBUTTON) shift = shift | Shift::Right;
  if (keys & MK_MBUTTON) shift = shift | Shift::Middle;
  return shift;
}

}  // namespace

bool Form::OnKeyMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
      auto& handler = down ? onKeyDown : onKeyUp;
      if (!handler) return false;
      KeyEvent event{Key(wParam), KeyboardShift()};
      handler(event);
      return event.handled || message == WM_KEYDOWN || message == WM_KEYUP;
    }
    case WM_CHAR:
      if (!onKeyPress) return false;
      {
        CharEvent event{wchar_t(wParam)};
        onKeyPress(event);
      }
      return true;
    default:
      return false;
  }
}

bool Form::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      // Held so that a drag that leaves the window keeps reporting.
      SetCapture(Handle());
      bool twice = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
      MouseButton button = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ? MouseButton::Left
                           : message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ? MouseButton::Right
                                                                                       : MouseButton::Middle;
      MouseEvent event{button, MouseShift(wParam) | (twice ? Shift::Double : Shift::None),
                       {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
      if (onMouseDown) onMouseDown(event);
      if (message == WM_LBUTTONDBLCLK && onDblClick) onDblClick();
      return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
      MouseButton button = message == WM_LBUTTONUP   ? MouseButton::Left
                           : message == WM_RBUTTONUP ? MouseButton::Right
                                                     : MouseButton::Middle;
      MouseEvent event{button, MouseShift(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
      if (onMouseUp) onMouseUp(event);
      return true;
    }
    case WM_MOUSEMOVE:
      if (!onMouseMove) return false;
      onMouseMove({MouseButton::Left, MouseShift(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
      return true;
    case WM_MOUSEWHEEL: {
      if (!onMouseWheel) return false;
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(Handle(), &at);
      WheelEvent event{GET_WHEEL_DELTA_WPARAM(wParam), MouseShift(GET_KEYSTATE_WPARAM(wParam)), {at.x, at.y}};
      onMouseWheel(event);
      return event.handled;
    }
    default:
      return false;
  }
}

}  // namespace corvane::gui
