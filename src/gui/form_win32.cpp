#include "gui/form_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "gui/application_win32.h"
#include "gui/controls_win32.h"
#include "gui/menu_win32.h"
#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane::gui {
namespace {

constexpr DWORD kFrameStyles =
    WS_OVERLAPPEDWINDOW | WS_POPUP | WS_DLGFRAME | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
    WS_MAXIMIZEBOX | WS_BORDER;
constexpr DWORD kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;

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

BOOL AdjustForDpi(RECT* rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = reinterpret_cast<AdjustFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  if (adjustForDpi) return adjustForDpi(rect, style, menu, exStyle, UINT(dpi));
  return AdjustWindowRectEx(rect, style, menu, exStyle);
}

// An arrow on a radio button moves the choice within its group, as in the
// system's dialogs; false when the group has no other item.
bool MoveInRadioGroup(HWND item, bool backwards) {
  HWND next = GetNextDlgGroupItem(GetParent(item), item, backwards);
  if (!next || next == item) return false;
  ::SetFocus(next);
  SendMessageW(next, BM_CLICK, 0, 0);
  return true;
}

// A container that is a tab stop of its own, as a tab control holding its
// pages: the system's walk passes over it into its children, so the keyboard
// could never reach its tabs.
bool IsStopContainer(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) &&
         (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsWindowVisible(window) &&
         IsWindowEnabled(window);
}

HWND StopContainerAround(HWND window, HWND form) {
  for (HWND w = GetParent(window); w && w != form; w = GetParent(w))
    if (IsStopContainer(w)) return w;
  return nullptr;
}

// The system's Tab walk, with such a container as a stop before its children
// going forwards and after them going backwards.
HWND NextTabStop(HWND form, HWND focus, bool backwards) {
  if (!backwards && IsStopContainer(focus))
    if (HWND inside = GetNextDlgTabItem(focus, nullptr, FALSE)) return inside;
  HWND next = GetNextDlgTabItem(form, focus, backwards);
  if (!next) return nullptr;
  HWND from = StopContainerAround(focus, form);
  HWND to = StopContainerAround(next, form);
  if (!backwards && to && to != from && to != focus) return to;
  if (backwards && from && to != from) return from;
  return next;
}

void ApplyDpiTree(Window& window) {
  for (Control* child : window.Children()) {
    child->ApplyDpi();
    ApplyDpiTree(*child);
  }
  window.LayoutChildren();
}

}  // namespace

Form::Form(const CreateArgs& args)
    : border_(args.border),
      borderWidth_(args.borderWidth),
      client96_(args.client),
      minSize96_(args.minSize),
      centred_(args.centred),
      stayOnTop_(args.stayOnTop),
      keyPreview_(args.keyPreview),
      showInTaskbar_(args.showInTaskbar),
      ownDc_(args.ownDc),
      extraStyle_(args.extraStyle),
      extraExStyle_(args.extraExStyle) {
  Application& application = Application::Instance();
  Form* owner = args.owner ? args.owner : application.MainForm();
  ownerHandle_ = owner ? owner->Handle() : application.OwnerHandle();
  CreateOwn(ExStyle(), Style(), args.caption, ownerHandle_, ownDc_);
  dpi_ = WindowDpi(Handle());
  SetClientSize(client96_);
  application.FormCreated(*this);
}

Form::~Form() {
  if (Application* application = Application::Current()) application->FormDestroyed(*this);
}

DWORD Form::Style() const {
  DWORD style = 0;
  switch (border_) {
    case BorderStyle::Sizeable: style = WS_OVERLAPPEDWINDOW; break;
    case BorderStyle::Dialog: style = WS_POPUP | WS_CAPTION | WS_SYSMENU; break;
    case BorderStyle::ToolWindow: style = WS_POPUP | WS_CAPTION | WS_SYSMENU; break;
    case BorderStyle::SizeableToolWindow: style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME; break;
    case BorderStyle::None: style = WS_POPUP; break;
  }
  return style | extraStyle_;
}

DWORD Form::ExStyle() const {
  DWORD exStyle = extraExStyle_;
  if (border_ == BorderStyle::Dialog) exStyle |= WS_EX_DLGMODALFRAME;
  if (border_ == BorderStyle::ToolWindow || border_ == BorderStyle::SizeableToolWindow) exStyle |= WS_EX_TOOLWINDOW;
  if (showInTaskbar_) exStyle |= WS_EX_APPWINDOW;
  if (stayOnTop_) exStyle |= WS_EX_TOPMOST;
  return exStyle;
}

Size Form::OuterSize(Size client) const {
  int frame = ScaleToDpi(borderWidth_, dpi_);
  RECT rect{0, 0, client.width + 2 * frame, client.height + 2 * frame};
  AdjustForDpi(&rect, Style() & ~WS_VISIBLE, menu_ != nullptr, ExStyle() & ~WS_EX_TOPMOST, dpi_);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

Size Form::ClientSize() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return {client.right, client.bottom};
}

void Form::ResizeToClient(Size pixels) {
  Size outer = OuterSize(pixels);
  SetWindowPos(Handle(), nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps takes more than the computed room: correct once.
  Size got = ClientSize();
  if (got != pixels) {
    outer.width += pixels.width - got.width;
    outer.height += pixels.height - got.height;
    SetWindowPos(Handle(), nullptr, 0, 0, outer.width, outer.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form::SetClientSize(Size client96) {
  client96_ = client96;
  ResizeToClient(ScaleToDpi(client96, dpi_));
}

void Form::KeepingClientSize(const std::function<void()>& change) {
  Size before = ClientSize();
  change();
  if (!Maximized() && !Minimized() && ClientSize() != before) ResizeToClient(before);
}

void Form::DetachMenu() noexcept {
  if (Handle()) SetMenu(Handle(), nullptr);
  menu_ = nullptr;
}

void Form::SetMenuHandle(HMENU menu) {
  KeepingClientSize([&] {
    menu_ = menu;
    SetMenu(Handle(), menu);
  });
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

void Form::SetStayOnTop(bool stayOnTop) {
  stayOnTop_ = stayOnTop;
  SetWindowPos(Handle(), stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::Centre() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT window{};
  GetWindowRect(Handle(), &window);
  const RECT& work = monitor.rcWork;
  Point at = CentreIn({work.left, work.top, work.right - work.left, work.bottom - work.top},
                      {window.right - window.left, window.bottom - window.top});
  SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form::Maximized() const { return IsZoomed(Handle()); }
bool Form::Minimized() const { return IsIconic(Handle()); }
void Form::Maximize() { ShowWindow(Handle(), SW_MAXIMIZE); }
void Form::Restore() { ShowWindow(Handle(), SW_RESTORE); }

void Form::Show() {
  if (!shownOnce_) {
    shownOnce_ = true;
    if (centred_) Centre();
  }
  ShowWindow(Handle(), SW_SHOW);
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

void Form::BringToFront() {
  if (!Visible()) Show();
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(Handle());
}

void Form::SetModalResult(ModalResult result) { modalResult_ = result; }

ModalResult Form::ShowModal() {
  Application& application = Application::Instance();
  if (modal_) throw EGuiError("The form is shown modally already.");
  // Every other visible window of the thread waits for this one.
  struct Disabled {
    HWND self;
    std::vector<HWND> windows;
  } disabled{Handle(), {}};
  try {
    ForEachThreadWindow([&disabled](HWND window) {
      if (window == disabled.self || !IsWindowVisible(window) || !IsWindowEnabled(window)) return;
      disabled.windows.reserve(disabled.windows.size() + 1);  // the only step that can raise
      EnableWindow(window, FALSE);
      disabled.windows.push_back(window);
    });
  } catch (...) {
    for (HWND window : disabled.windows) EnableWindow(window, TRUE);
    throw;
  }
  modal_ = true;
  modalResult_ = ModalResult::None;
  Show();
  SetForegroundWindow(Handle());
  struct Finish {
    Form& form;
    Disabled& disabled;
    ~Finish() {
      // Enabled before hiding, so that activation returns to them.
      for (HWND window : disabled.windows) EnableWindow(window, TRUE);
      form.modal_ = false;
      form.Hide();
    }
  } finish{*this, disabled};
  while (modalResult_ == ModalResult::None && application.HandleMessage()) {
  }
  return modalResult_ == ModalResult::None ? ModalResult::Cancel : modalResult_;
}

void Form::Close() {
  bool mayClose = true;
  if (onCloseQuery) Guard(*this, [&] { mayClose = onCloseQuery(); });
  if (!mayClose) return;
  Application* application = Application::Current();
  if (modal_) {
    if (modalResult_ == ModalResult::None) modalResult_ = ModalResult::Cancel;
  } else {
    Hide();
    if (application && application->MainForm() == this) application->Terminate();
  }
  if (onClose) Guard(*this, [&] { onClose(); });
}

void Form::SetHintFor(HWND control, const std::string& hint) {
  if (!tooltip_) {
    if (hint.empty()) return;
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!tooltip_) RaiseLastOSErrorAt();
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
  }
  std::wstring text = Widen(hint);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!hint.empty()) SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::RestoreHints(Window& window) {
  for (Control* child : window.Children()) {
    if (!child->Hint().empty()) SetHintFor(child->Handle(), child->Hint());
    RestoreHints(*child);
  }
}

UINT Form::AddCommand(MenuItem& item) {
  UINT id = nextCommand_++;
  commands_[id] = &item;
  return id;
}

void Form::RemoveCommand(UINT id) noexcept {
  commands_.erase(id);
  acceleratorsDirty_ = true;
}

void Form::RebuildAccelerators() {
  acceleratorsDirty_ = false;
  std::vector<ACCEL> table;
  for (const auto& [id, item] : commands_) {
    if (!item->ShortCutKey()) continue;
    const ShortCut& shortCut = *item->ShortCutKey();
    BYTE flags = FVIRTKEY;
    if (Has(shortCut.modifiers, Shift::Shift)) flags |= FSHIFT;
    if (Has(shortCut.modifiers, Shift::Ctrl)) flags |= FCONTROL;
    if (Has(shortCut.modifiers, Shift::Alt)) flags |= FALT;
    table.push_back({flags, shortCut.key, WORD(id)});
  }
  accelerators_.reset();
  if (table.empty()) return;
  HACCEL handle = CreateAcceleratorTableW(table.data(), int(table.size()));
  if (!handle) RaiseLastOSErrorAt();
  accelerators_.reset(handle);
}

bool Form::ClickButton(Button* button) {
  if (!button || !button->Enabled() || !button->Visible()) return false;
  Guard(*button, [&] { button->Click(); });
  return true;
}

bool Form::PreTranslate(MSG& message) {
  const bool toSelf = message.hwnd == Handle();
  if (keyPreview_ && !toSelf) {
    bool handled = false;
    switch (message.message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_KEYUP:
      case WM_SYSKEYUP: {
        bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
        auto& handler = down ? onKeyDown : onKeyUp;
        if (!handler) break;
        KeyEvent event{Key(message.wParam), KeyboardShift()};
        Guard(*this, [&] { handler(event); });
        handled = event.handled;
        break;
      }
      case WM_CHAR:
        if (!onKeyPress) break;
        {
          CharEvent event{wchar_t(message.wParam)};
          Guard(*this, [&] { onKeyPress(event); });
          handled = event.character == 0;
          message.wParam = event.character;
        }
        break;
    }
    if (handled) return true;
  }
  if (acceleratorsDirty_) RebuildAccelerators();
  if (accelerators_ && TranslateAcceleratorW(Handle(), accelerators_.get(), &message)) return true;
  if (message.message != WM_KEYDOWN) return false;

  LRESULT wants = toSelf ? 0 : SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam,
                                            reinterpret_cast<LPARAM>(&message));
  if (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
  switch (message.wParam) {
    case VK_TAB:
      if (wants & DLGC_WANTTAB || GetKeyState(VK_CONTROL) < 0) return false;
      if (HWND next = NextTabStop(Handle(), GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
        ::SetFocus(next);
        return true;
      }
      return false;
    case VK_RETURN:
      if (auto* focused = dynamic_cast<Button*>(FromHandle(GetFocus()))) return ClickButton(focused);
      return ClickButton(defaultButton_);
    case VK_ESCAPE:
      return ClickButton(cancelButton_);
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (!(wants & DLGC_RADIOBUTTON) || (wants & DLGC_WANTARROWS)) return false;
      return MoveInRadioGroup(message.hwnd, message.wParam == VK_LEFT || message.wParam == VK_UP);
    default:
      return false;
  }
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

bool Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  Application* application = Application::Current();
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
    case WM_SIZE:
      Window::OnMessage(message, wParam, lParam, result);
      if (application && application->MainForm() == this) application->MainFormSized(UINT(wParam));
      if (wParam != SIZE_MINIMIZED && onResize) onResize();
      return true;
    case WM_SHOWWINDOW:
      if (lParam == 0) {
        auto& handler = wParam ? onShow : onHide;
        if (handler) handler();
      }
      return false;
    case WM_CLOSE:
      Close();
      return true;
    case WM_ACTIVATEAPP:
      if (application) application->ActivateApp(wParam != 0);
      return false;
    case WM_ACTIVATE: {
      auto& handler = LOWORD(wParam) != WA_INACTIVE ? onActivate : onDeactivate;
      if (handler) handler();
      return false;
    }
    case WM_COMMAND:
      if (lParam == 0 && HIWORD(wParam) <= 1) {
        auto found = commands_.find(LOWORD(wParam));
        if (found != commands_.end()) {
          MenuItem* item = found->second;
          try {
            item->Click();
          } catch (...) {
            Application::ReportCurrentException(ClassName(), "MenuItem");
          }
          return true;
        }
      }
      return false;
    case WM_PAINT:
      if (!onPaint) return false;
      {
        PAINTSTRUCT paint;
        BeginPaint(Handle(), &paint);
        EndPaint(Handle(), &paint);
      }
      onPaint();
      return true;
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
      return Window::OnMessage(message, wParam, lParam, result);
  }
}

}  // namespace corvane::gui
