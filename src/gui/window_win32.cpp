#include "gui/window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "gui/form_site.h"
#include "os/os_error.h"
#include "os/text_win32.h"
#include "os/window_class_win32.h"

namespace corvane::gui {
namespace {

constexpr wchar_t kWindowProperty[] = L"CorvaneWindow";
constexpr UINT_PTR kSubclassId = 1;

FailureReport g_failureReport = nullptr;

// The control a notification to a parent came from.
HWND NotifyingControl(UINT message, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

UniqueFont CreateFontAt(const FontSpec& spec, int dpi) {
  const FontSpec& fallback = kDefaultFont;
  LOGFONTW font{};
  font.lfHeight = -ScaleToDpi(spec.height > 0 ? spec.height : fallback.height, dpi);
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = spec.underline;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  std::wstring face = Widen(spec.face.empty() ? fallback.face : spec.face);
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT handle = CreateFontIndirectW(&font);
  if (!handle) RaiseLastOSErrorAt();
  return UniqueFont(handle);
}

Shift KeyboardShift() {
  Shift shift = Shift::None;
  if (GetKeyState(VK_SHIFT) < 0) shift = shift | Shift::Shift;
  if (GetKeyState(VK_CONTROL) < 0) shift = shift | Shift::Ctrl;
  if (GetKeyState(VK_MENU) < 0) shift = shift | Shift::Alt;
  return shift;
}

namespace {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  // Windows 10 1607 and later; older systems have one dpi for the screen.
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) {
    if (UINT dpi = getDpiForWindow(window)) return int(dpi);
  }
  return ScreenDpi();
}

int MonitorDpi(HMONITOR monitor) {
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  // Windows 8.1 and later, in shcore.dll; older systems have one dpi for the
  // screen. Kind 0 is the effective dpi, the one windows are scaled by.
  static const auto getDpiForMonitor = [] {
    HMODULE shcore = LoadLibraryW(L"shcore.dll");
    return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
  }();
  UINT x = 0, y = 0;
  if (getDpiForMonitor && monitor && SUCCEEDED(getDpiForMonitor(monitor, 0, &x, &y)) && y > 0) return int(y);
  return ScreenDpi();
}

void ForEachThreadWindow(const std::function<void(HWND)>& visit) {
  struct Walk {
    const std::function<void(HWND)>& visit;
    std::exception_ptr failure;
  } walk{visit, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& walk = *reinterpret_cast<Walk*>(data);
        try {
          walk.visit(window);
          return TRUE;
        } catch (...) {
          walk.failure = std::current_exception();
          return FALSE;
        }
      },
      reinterpret_cast<LPARAM>(&walk));
  if (walk.failure) std::rethrow_exception(walk.failure);
}

// ---- Window ----

Window::~Window() {
  for (Control* child : children_) child->parent_ = nullptr;
  if (HWND handle = Handle()) {
    Unbind();
    DestroyWindow(handle);
  }
}

Window* Window::FromHandle(HWND handle) noexcept {
  return handle ? static_cast<Window*>(GetPropW(handle, kWindowProperty)) : nullptr;
}

void SetFailureReport(FailureReport report) noexcept { g_failureReport = report; }

FormSite* Window::OwnerForm() noexcept { return nullptr; }

int Window::Dpi() const {
  FormSite* form = const_cast<Window*>(this)->OwnerForm();
  return form ? form->FormDpi() : WindowDpi(Handle());
}

std::string Window::Text() const {
  int length = GetWindowTextLengthW(Handle());
  std::wstring text(size_t(length) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(Handle(), text.data(), length + 1)));
  return Narrow(text);
}

void Window::SetText(std::string_view text) {
  if (!SetWindowTextW(Handle(), Widen(text).c_str())) RaiseLastOSErrorAt();
}

bool Window::Enabled() const { return IsWindowEnabled(Handle()); }
void Window::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }
bool Window::Visible() const { return GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE; }

void Window::SetVisible(bool visible) {
  if (visible == Visible()) return;
  ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
  if (parent_) parent_->LayoutChildren();
}

void Window::SetFocus() { ::SetFocus(Handle()); }
bool Window::Focused() const { return GetFocus() == Handle(); }

void Window::ReportCurrentException(Window& sender) noexcept {
  if (!g_failureReport) {
    PostQuitMessage(0);  // no application to tell: at least end the loop
    return;
  }
  FormSite* form = sender.OwnerForm();
  g_failureReport(form ? form->ClassName() : sender.ClassName(), sender.ClassName());
}

void Window::LayoutChildren() {
  RECT client;
  if (!Handle() || !GetClientRect(Handle(), &client)) return;
  std::vector<DockItem> items;
  bool anyDocked = false;
  for (Control* child : children_) {
    Rect bounds = child->ScaledBounds();
    // A hidden strip takes no room.
    if (!child->Visible()) bounds.width = bounds.height = 0;
    items.push_back({child->GetAlign(), bounds});
    anyDocked = anyDocked || child->GetAlign() != Align::None;
  }
  if (!anyDocked) return;
  std::vector<Rect> placed = DockLayout({0, 0, client.right, client.bottom}, items);
  for (size_t i = 0; i < children_.size(); ++i) {
    if (items[i].align == Align::None) continue;
    const Rect& r = placed[i];
    // No copying of the old bits: a docked child paints itself afresh, and
    // under Wine copying them inside a window drawn by OpenGL from another
    // thread never returns.
    SetWindowPos(children_[i]->Handle(), nullptr, r.left, r.top, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
}

bool Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_SIZE && !children_.empty()) LayoutChildren();
  return false;
}

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT Window::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return subclassed_ ? DefSubclassProc(Handle(), message, wParam, lParam)
                     : DefWindowProcW(Handle(), message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (Window::OnMessage(message, wParam, lParam, result)) return result;
  return CallDefault(message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    LRESULT result = CallDefault(message, wParam, lParam);
    Unbind();
    return result;
  }
  LRESULT result = 0;
  if (Window* child = FromHandle(NotifyingControl(message, lParam)); child && child != this) {
    bool handled = false;
    if (!Guard(*child, [&] { handled = child->OnReflected(message, wParam, lParam, result); })) return 0;
    if (handled) return result;
  }
  bool handled = false;
  if (!Guard(*this, [&] { handled = OnMessage(message, wParam, lParam, result); })) return 0;
  return handled ? result : CallDefault(message, wParam, lParam);
}

LRESULT CALLBACK Window::OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    if (auto* self = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams))
      self->Bind(window);
  }
  Window* self = FromHandle(window);
  // Messages before WM_NCCREATE, and after the object let go, get the default.
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
  auto* self = reinterpret_cast<Window*>(data);
  if (FromHandle(window) != self) return DefSubclassProc(window, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

void Window::Bind(HWND handle) {
  handle_.reset();  // never set here before: a bound object makes one window
  handle_ = UniqueWindow(handle);
  SetPropW(handle, kWindowProperty, this);
}

void Window::Unbind() noexcept {
  HWND handle = handle_.release();
  if (!handle) return;
  RemovePropW(handle, kWindowProperty);
  if (subclassed_) RemoveWindowSubclass(handle, SubclassProcedure, kSubclassId);
  subclassed_ = false;
}

HWND Window::ReleaseHandle() noexcept {
  HWND handle = Handle();
  Unbind();
  return handle;
}

void Window::CreateOwn(DWORD exStyle, DWORD style, std::string_view text, HWND parent, bool ownDc) {
  // The layer's one window class, in the variant that keeps a device
  // context per window (OpenGL surfaces) and the one that does not.
  const wchar_t* className = RegisterWindowClass({.name = ownDc ? L"CorvaneWindowOwnDC" : L"CorvaneWindow",
                                                  .procedure = OwnProcedure,
                                                  .style = UINT(CS_DBLCLKS | (ownDc ? CS_OWNDC : 0)),
                                                  .cursor = LoadCursorW(nullptr, IDC_ARROW),
                                                  .background = GetSysColorBrush(COLOR_BTNFACE)});
  HWND handle = CreateWindowExW(exStyle, className, Widen(text).c_str(), style, 0, 0, 0, 0, parent, nullptr,
                                GetModuleHandleW(nullptr), this);
  if (!handle) RaiseLastOSErrorAt();
}

void Window::CreateSystem(const wchar_t* systemClass, DWORD exStyle, DWORD style, std::string_view text,
                          HWND parent) {
  HWND handle = CreateWindowExW(exStyle, systemClass, Widen(text).c_str(), style, 0, 0, 0, 0, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!handle) RaiseLastOSErrorAt();
  Bind(handle);
  if (!SetWindowSubclass(handle, SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    DestroyWindow(handle_.release());
    throw EGuiError("The control could not be subclassed.");
  }
  subclassed_ = true;
}

// ---- Control ----

Control::Control(const ControlBase& base) : base_(base) {
  if (!base.parent || !base.parent->Handle()) throw EGuiError("A control needs a parent window.");
  parent_ = base.parent;
  parent_->children_.push_back(this);
}

Control::~Control() {
  if (parent_) std::erase(parent_->children_, this);
}

FormSite* Control::OwnerForm() noexcept { return parent_ ? parent_->OwnerForm() : nullptr; }

HWND Control::ParentHandle() const { return parent_->Handle(); }

void Control::ApplyBaseStyles(DWORD& style, DWORD& exStyle) const {
  style |= WS_CHILD | (base_.visible ? WS_VISIBLE : 0) | (base_.enabled ? 0 : WS_DISABLED);
  if (base_.tabStop) style = *base_.tabStop ? style | WS_TABSTOP : style & ~DWORD(WS_TABSTOP);
  if (base_.controlParent)
    exStyle = *base_.controlParent ? exStyle | WS_EX_CONTROLPARENT : exStyle & ~DWORD(WS_EX_CONTROLPARENT);
}

void Control::CreateControl(const wchar_t* systemClass, DWORD style, DWORD exStyle, std::string_view text) {
  ApplyBaseStyles(style, exStyle);
  CreateSystem(systemClass, exStyle, style, text, ParentHandle());
  Finish();
}

void Control::CreateOwnControl(DWORD style, DWORD exStyle, std::string_view text) {
  ApplyBaseStyles(style, exStyle);
  CreateOwn(exStyle, style | WS_CLIPSIBLINGS, text, ParentHandle());
  Finish();
}

void Control::Finish() {
  ApplyDpi();
  if (!base_.hint.empty()) SetHint(base_.hint);
  if (base_.align != Align::None) parent_->LayoutChildren();
}

Rect Control::ScaledBounds() const { return ScaleToDpi(base_.bounds, Dpi()); }

void Control::SetBounds(const Rect& bounds) {
  base_.bounds = bounds;
  if (base_.align != Align::None) {
    if (parent_) parent_->LayoutChildren();
    return;
  }
  Rect r = ScaledBounds();
  // No copying of the old bits, as for docked children: a control drawn by
  // OpenGL from another thread would hang the move under Wine.
  SetWindowPos(Handle(), nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void Control::SetFont(const FontSpec& font) {
  base_.font = font;
  ApplyDpi();
}

void Control::ApplyDpi() {
  UniqueFont font = CreateFontAt(base_.font, Dpi());
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);  // the old font goes only once the control has let go of it
  if (base_.align == Align::None) SetBounds(base_.bounds);
}

void Control::SetHint(std::string hint) {
  base_.hint = std::move(hint);
  if (FormSite* form = OwnerForm()) form->SetHintFor(Handle(), base_.hint);
}

}  // namespace corvane::gui
