// A form's frame: its styles per border, the border it paints itself, its
// size limits, a change of monitor DPI, and a new handle when a style can
// only be had by making the window again.
#include "gui/form_win32.h"

#include <algorithm>

#include "gui/application_win32.h"
#include "gui/controls_win32.h"

namespace corvane::gui {
namespace {

constexpr DWORD kFrameStyles =
    WS_OVERLAPPEDWINDOW | WS_POPUP | WS_DLGFRAME | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
    WS_MAXIMIZEBOX | WS_BORDER;
constexpr DWORD kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;

BOOL AdjustForDpi(RECT* rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = reinterpret_cast<AdjustFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (adjustForDpi) return adjustForDpi(rect, style, menu, exStyle, UINT(dpi));
  return AdjustWindowRectEx(rect, style, menu, exStyle);
}


void ApplyDpiTree(Window& window) {
  for (Control* child : window.Children()) {
    child->ApplyDpi();
    ApplyDpiTree(*child);
  }
  window.LayoutChildren();
}

}  // namespace

Size Form::OuterSize(Size client) const {
  int frame = ScaleToDpi(borderWidth_, dpi_);
  RECT rect{0, 0, client.width + 2 * frame, client.height + 2 * frame};
  AdjustForDpi(&rect, Style() & ~WS_VISIBLE, menu_ != nullptr, ExStyle() & ~WS_EX_TOPMOST, dpi_);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void Form::SetBorderStyle(BorderStyle border) {
  border_ = border;
  LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  style = (style & ~LONG_PTR(kFrameStyles)) | LONG_PTR(Style() & kFrameStyles);
  exStyle = (exStyle & ~LONG_PTR(kFrameExStyles)) | LONG_PTR(ExStyle() & kFrameExStyles);
  SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetBorderWidth(int width96) {
  borderWidth_ = width96;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::PaintBorder() {
  int frame = ScaleToDpi(borderWidth_, dpi_);
  HDC dc = GetWindowDC(Handle());
  if (!dc) return;
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  RECT band = client;
  InflateRect(&band, frame, frame);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
  ReleaseDC(Handle(), dc);
}

void Form::RecreateHandle() {
  OnHandleDestroying();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(Handle(), &placement);
  const bool visible = Visible();
  const std::string caption = Text();
  HWND old = ReleaseHandle();
  try {
    CreateOwn(ExStyle(), Style(), caption, ownerHandle_, ownDc_);
  } catch (...) {
    Bind(old);  // keep the old window rather than none
    throw;
  }
  HWND fresh = Handle();
  // Children, menu and the windows this one owns move over before the old
  // window goes, which would take them with it.
  std::vector<HWND> children;
  for (HWND child = GetWindow(old, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  for (HWND child : children) SetParent(child, fresh);
  if (menu_) {
    SetMenu(old, nullptr);
    SetMenu(fresh, menu_);
  }
  ForEachThreadWindow([old, fresh](HWND window) {
    if (GetWindow(window, GW_OWNER) != old) return;
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(fresh));
    if (auto* form = dynamic_cast<Form*>(Window::FromHandle(window))) form->ownerHandle_ = fresh;
  });
  tooltip_.reset();
  DestroyWindow(old);
  dpi_ = WindowDpi(fresh);
  if (!visible) placement.showCmd = SW_HIDE;
  SetWindowPlacement(fresh, &placement);
  if (stayOnTop_) SetStayOnTop(true);
  RestoreHints(*this);
  ApplyDpiTree(*this);
  OnHandleCreated();
}

bool Form::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_NCCALCSIZE:
      if (borderWidth_ <= 0 || !wParam) return false;
      result = CallDefault(message, wParam, lParam);
      {
        int frame = ScaleToDpi(borderWidth_, dpi_);
        RECT& client = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
        InflateRect(&client, -frame, -frame);
        if (client.right < client.left) client.right = client.left;
        if (client.bottom < client.top) client.bottom = client.top;
      }
      return true;
    case WM_NCPAINT:
      if (borderWidth_ <= 0) return false;
      result = CallDefault(message, wParam, lParam);
      PaintBorder();
      return true;
    case WM_GETMINMAXINFO:
      if (minSize96_.width <= 0 && minSize96_.height <= 0) return false;
      {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        Size least = ScaleToDpi(minSize96_, dpi_);
        info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, least.width);
        info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, least.height);
      }
      return true;
    case WM_DPICHANGED: {
      dpi_ = LOWORD(wParam);
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpiTree(*this);
      RestoreHints(*this);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace corvane::gui
