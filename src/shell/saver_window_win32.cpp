#include "shell/saver_window.h"

#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "desktop/wallpaper_changer.h"
#include "drawer/calcer_thread.h"
#include "drawer/drawer.h"
#include "evolve/evolved_session.h"
#include "gui/window_win32.h"
#include "os/exception.h"
#include "os/os_error.h"
#include "os/thread.h"
#include "os/window_class_win32.h"
#include "presets/preset_selection.h"
#include "render/wgl_render_context.h"
#include "shell/run_modes.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(ERunPreviewError);
CORVANE_DECLARE_EXCEPTION(ERunFullScreenError);
CORVANE_DECLARE_EXCEPTION(EConvertError);

namespace {

// State of the one saver window of this process (main thread only).
bool IsPreviewMode = false;
SaverPictureMaker MakePicture;
std::unique_ptr<SaverPicture> Drawer;
int InputEventBudget = kInputEventsPerPeriod;
// The full-screen window's Monitors mode, read once at creation; a change
// of monitors lays out the same mode again.
MonitorsMode Mode = MonitorsMode::Span;
// The full-screen window's frames-per-second overlay, read with the mode.
bool FrameRateShown = false;
std::unique_ptr<SaverPresetSession> Session;
// An exception cannot travel through the system's window-procedure frames:
// it is kept here, the window is taken down, and the loop's caller raises it.
std::exception_ptr PendingError;

class DrawerPicture final : public SaverPicture {
 public:
  // On the heap: deleting a worker ends its thread before any member goes.
  DrawerPicture()
      : drawer_(new TDrawer(std::make_unique<CalcerThread>(),
                            [](CalcClient& calcer) { return std::make_unique<TRender>(calcer); })) {}

  void Start(HWND window, int width, int height) override {
    drawer_->SetPriority(ThreadPriority::Higher);
    drawer_->SetCalcPriority(ThreadPriority::Normal);
    drawer_->Resume();
    window_ = window;
    drawer_->StartGL(window);  // false leaves a blank saver that still closes on input
    drawer_->SetViewport(0, 0, width, height, kFovy, height > 0 ? double(width) / height : 1.0, kZNear, kZFar);
  }
  void SetLayout(const SaverLayout& layout) override {
    ViewLayout views{.windowWidth = layout.window.width, .windowHeight = layout.window.height, .views = {},
                     .dpi = layout.viewports.empty() ? gui::kDesignDpi : layout.viewports.front().dpi};
    for (const SaverViewport& v : layout.viewports) views.views.push_back({v.x, v.y, v.width, v.height});
    drawer_->SetViews(views, kFovy, kZNear, kZFar);
  }
  void StopGL() override { drawer_->StopGL(); }
  void RestartGL() override {
    drawer_->StopGL();
    drawer_->StartGL(window_);
    drawer_->SetAnimating(animating_);
  }
  void SetTimeFrozen(bool frozen) override { drawer_->SetTimeFrozen(frozen); }
  void SetAnimating(bool animating) override {
    animating_ = animating;
    drawer_->SetAnimating(animating);
  }
  void ClearScreen() override { drawer_->ClearScreen(); }
  void SetParam(int number, double value) override { drawer_->SetParam(number, value); }
  void SetPresetName(const std::string& name) override { drawer_->SetPresetName(name); }
  void ShowFrameRate(bool shown) override { drawer_->ShowFrameRate(shown); }

 private:
  static constexpr double kFovy = 45.0, kZNear = 1.0, kZFar = 100000.0;

  std::unique_ptr<TDrawer> drawer_;
  HWND window_ = nullptr;
  bool animating_ = false;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{.cbSize = sizeof(MONITORINFO)};
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
        {.bounds = {r.left, r.top, r.right - r.left, r.bottom - r.top},
         .primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
         .dpi = gui::MonitorDpi(monitor)});
  }
  return TRUE;
}

SaverLayout FullScreenLayout() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return LayOutSaver(monitors, Mode);
}

// The window takes the new layout and the picture its viewport; a layout
// without monitors leaves both as they are. OpenGL starts anew on the
// window: a window that grew was seen to keep showing only its old size
// (Wine over Mesa's software rasteriser).
void FollowMonitors(HWND window) {
  const SaverLayout layout = FullScreenLayout();
  if (layout.viewports.empty()) return;
  const gui::Rect& r = layout.window;
  if (!SetWindowPos(window, HWND_TOPMOST, r.left, r.top, r.width, r.height, SWP_NOACTIVATE)) RaiseLastOSErrorAt();
  Drawer->RestartGL();
  Drawer->SetLayout(layout);
}

void StopPicture() {
  Drawer->SetTimeFrozen(true);
  Drawer->SetAnimating(false);
  Drawer->ClearScreen();
}

void CloseSaver(HWND window) {
  StopPicture();
  if (!PostMessageW(window, WM_CLOSE, 0, 0)) RaiseLastOSErrorAt();
}

void OnCreate(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) RaiseLastOSErrorAt();
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);

  Drawer = MakePicture();
  Drawer->Start(window, width, height);
  if (!IsPreviewMode) {
    const SaverLayout layout = FullScreenLayout();
    if (!layout.viewports.empty()) Drawer->SetLayout(layout);
    Drawer->ShowFrameRate(FrameRateShown);
  }

  Session = std::make_unique<SaverPresetSession>();
  Session->showChild = ShowEvolvedChild;
  Session->Start(*Drawer);
  if (!SetTimer(window, kSaverTimerId, kSaverTimerPeriodMs, nullptr)) RaiseLastOSErrorAt();
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_TIMER:
      InputEventBudget = kInputEventsPerPeriod;
      if (Session) Session->ShuffleTick(*Drawer);
      return 0;
    case WM_KEYDOWN:
      if (!IsPreviewMode) CloseSaver(window);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (!IsPreviewMode && --InputEventBudget <= 0) CloseSaver(window);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kMonitorPowerCommand && (lParam == 1 || lParam == 2) && !IsPreviewMode)
        StopPicture();
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
      if (!IsPreviewMode && Drawer) FollowMonitors(window);
      return 0;
    case WM_NCPAINT:
      if (Drawer) Drawer->SetAnimating(true);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (GetUpdateRect(window, nullptr, FALSE)) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
      }
      return 0;
    case WM_CLOSE:
      if (!KillTimer(window, kSaverTimerId)) RaiseLastOSErrorAt();
      if (Drawer) Drawer->StopGL();
      if (!DestroyWindow(window)) RaiseLastOSErrorAt();
      return 0;
    case WM_DESTROY:
      Session.reset();
      Drawer.reset();  // stops and joins the drawing and calculation threads
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterSaverClass() {
  RegisterWindowClass({.name = kSaverWindowClass, .procedure = SaverWindowProc, .style = CS_OWNDC});
}

// Raises what the window procedure kept, or the creation's system error.
void CheckCreated(HWND window) {
  RaiseKeptSaverError();
  if (!window) RaiseLastOSErrorAt();
}

template <typename UnknownReturnError>
void RunMessageLoop() {
  MSG message;
  for (;;) {
    BOOL result = GetMessageW(&message, nullptr, 0, 0);
    if (result == 0) break;
    if (result == -1) RaiseLastOSErrorAt();
    if (result < 0) throw UnknownReturnError("GetMessage unknown return code.");
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  RaiseKeptSaverError();
}

HWND ParseParentWindow(const std::string& text) {
  // The system passes the handle in decimal; anything else is not a handle.
  size_t used = 0;
  long long value = 0;
  try {
    value = std::stoll(text, &used, 10);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) throw EConvertError("'" + text + "' is not a valid integer value");
  return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

}  // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    if (!PendingError) PendingError = std::current_exception();
    if (message == WM_CREATE) {
      Session.reset();
      Drawer.reset();
      return -1;  // creation fails; the caller raises the kept error
    }
    // Take the window down; if that is impossible (or it is already going),
    // end the loop directly so the kept error is raised and logged.
    if (message == WM_DESTROY || !DestroyWindow(window)) PostQuitMessage(0);
    return 0;
  }
}

std::unique_ptr<SaverPicture> MakeDrawerPicture() { return std::make_unique<DrawerPicture>(); }

HWND CreateSaverWindow(HWND previewParent, SaverPictureMaker makePicture) {
  IsPreviewMode = previewParent != nullptr;
  InputEventBudget = kInputEventsPerPeriod;
  MakePicture = std::move(makePicture);
  Mode = MonitorsMode::Span;
  FrameRateShown = false;
  if (!IsPreviewMode) {
    ReadMonitorsMode(Mode);  // false leaves Span
    ReadFrameRateShown(FrameRateShown);  // false leaves it off
  }
  WNDCLASSW registered;
  if (!GetClassInfoW(GetModuleHandleW(nullptr), kSaverWindowClass, &registered)) RegisterSaverClass();
  HWND window;
  if (IsPreviewMode) {
    RECT rect;
    if (!GetWindowRect(previewParent, &rect)) RaiseLastOSErrorAt();
    window = CreateWindowExW(0, kSaverWindowClass, L"Corvane",
                             WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             rect.right - rect.left, rect.bottom - rect.top, previewParent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    CheckCreated(window);
  } else {
    window = CreateWindowExW(WS_EX_TOOLWINDOW, kSaverWindowClass, L"Corvane",
                             WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    CheckCreated(window);
    if (!SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW))
      RaiseLastOSErrorAt();
  }
  ShowWindow(window, SW_SHOW);
  if (!UpdateWindow(window)) RaiseLastOSErrorAt();
  return window;
}

void RaiseKeptSaverError() {
  if (PendingError) std::rethrow_exception(std::exchange(PendingError, nullptr));
}

void RunPreview(const std::vector<std::string>& arguments) {
  HWND parent = arguments.size() >= 2 ? ParseParentWindow(arguments[1]) : GetForegroundWindow();
  CreateSaverWindow(parent, MakeDrawerPicture);
  RunMessageLoop<ERunPreviewError>();
}

void RunFullScreen() {
  HWND previousForeground = GetForegroundWindow();
  while (ShowCursor(FALSE) >= 0) {
  }
  CreateSaverWindow(nullptr, MakeDrawerPicture);
  RunMessageLoop<ERunFullScreenError>();
  ShowCursor(TRUE);
  SetForegroundWindow(previousForeground);
  ChangeWallpaperAtRandom();
}

}  // namespace corvane
