#include "gui/form_win32.h"

#include <commctrl.h>

#include "gui/application_win32.h"
#include "gui/controls_win32.h"
#include "gui/menu_win32.h"
#include "os/os_error.h"
#include "os/scope_exit.h"
#include "os/text_win32.h"

namespace corvane::gui {

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
  ScopeExit finish([&] {
    // Enabled before hiding, so that activation returns to them.
    for (HWND window : disabled.windows) EnableWindow(window, TRUE);
    modal_ = false;
    Hide();
  });
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

bool Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  Application* application = Application::Current();
  switch (message) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
    case WM_GETMINMAXINFO:
    case WM_DPICHANGED:
      return OnFrameMessage(message, wParam, lParam, result);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
      return OnKeyMessage(message, wParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
      return OnMouseMessage(message, wParam, lParam);
    case WM_COMMAND:  // a menu item or its accelerator
      return lParam == 0 && HIWORD(wParam) <= 1 && RunCommand(LOWORD(wParam));
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
    case WM_PAINT:
      if (!onPaint) return false;
      {
        PAINTSTRUCT paint;
        BeginPaint(Handle(), &paint);
        EndPaint(Handle(), &paint);
      }
      onPaint();
      return true;
    default:
      return Window::OnMessage(message, wParam, lParam, result);
  }
}

}  // namespace corvane::gui
