#include "forms/main_window/main_form_win32.h"

#include "drawer/calcer_thread.h"
#include "presets/registry_store.h"
#include "render/wgl_render_context.h"
#include "workers/error_log.h"

namespace corvane {

namespace {

// Posted by the drawing thread's end to the window that owns it.
constexpr UINT kDrawerEndedMessage = WM_APP + 12;
// Posted by a show to itself: the picture resumes once the window is on the
// screen, after the show's own window calls.
constexpr UINT kShownMessage = WM_APP + 13;
constexpr WPARAM kMaximizeCommand = 0xF030;  // also 0xF032, a double click on the caption
constexpr unsigned kCursorTimerMs = 1000;

RenderContextFactory WglRenderContext() {
  return [](CalcClient& calcer) { return std::make_unique<TRender>(calcer); };
}

}  // namespace

void InstallApplicationExceptionHandler(gui::Application& application) {
  // LogErrors' own box is the only one.
  application.SetExceptionHandler([](const gui::HandlerFailure& failure) {
    LogErrors(ApplicationExceptionRecord("TMainForm", failure.senderClass, failure.exception));
  });
}

TMainForm::TMainForm(RenderContextFactory makeRenderContext)
    : Form({.caption = kMainCaption,
            .client = {640, 480},
            .borderWidth = 1,
            .centred = true,
            .keyPreview = true,
            .showInTaskbar = true,
            .ownDc = true,
            .extraStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN}),
      drawer_(new TDrawer(std::make_unique<CalcerThread>(),
                          makeRenderContext ? std::move(makeRenderContext) : WglRenderContext())),
      senders_(*drawer_),
      pause_(senders_),
      endNotice_(std::make_shared<std::atomic<HWND>>(Handle())),
      settingsItem_(menuBar_.Add({.text = "  Settings  "})),
      backgroundItem_(menuBar_.Add({.text = "Background"})),
      wallpapersItem_(menuBar_.Add({.text = "Wallpapers"})),
      snapshotItem_(menuBar_.Add({.text = "SNAPSHOT"})),
      statusBar_({.parent = this, .align = gui::Align::Bottom, .visible = false, .panelWidths = {80, 80, 50}}),
      cursorTimer_({.owner = this, .intervalMs = kCursorTimerMs, .enabled = true}),
      arrowRepeatTimer_({.owner = this, .intervalMs = kArrowRepeatMs, .enabled = false}) {
  // The end of the drawing thread (after a logged failure) ends the
  // application; it is told from that thread, so by message.
  drawer_->SetOnTerminate([notice = endNotice_] {
    if (HWND window = notice->load()) PostMessageW(window, kDrawerEndedMessage, 0, 0);
  });
  drawer_->SetPriority(ThreadPriority::Highest);
  drawer_->SetCalcPriority(ThreadPriority::Lower);
  drawer_->Resume();

  // The handlers, once every member they reach is made.
  InstallApplicationEvents();
  onShow = [this] { FormShow(); };
  onResize = [this] { FormResize(); };
  onPaint = [this] { drawer_->Repaint(); };
  onMouseDown = [this](const gui::MouseEvent& e) { FormMouseDown(e); };
  onMouseUp = [this](const gui::MouseEvent& e) { FormMouseUp(e); };
  onMouseMove = [this](const gui::MouseEvent& e) { FormMouseMove(e); };
  onMouseWheel = [this](gui::WheelEvent& e) { FormMouseWheel(e); };
  onKeyDown = [this](gui::KeyEvent& e) { FormKeyDown(e); };
  onKeyUp = [this](gui::KeyEvent& e) { FormKeyUp(e); };
  onDblClick = [this] { FormDblClick(); };
  cursorTimer_.onTimer = [this] { CursorTimerTick(); };
  arrowRepeatTimer_.onTimer = [this] { arrows_.Tick(senders_); };

  settingsItem_.onClick = [this] { tools_.Toggle(ToolSlot::Editor); };
  backgroundItem_.onClick = [this] { tools_.Toggle(ToolSlot::Background); };
  wallpapersItem_.onClick = [this] {
    if (hotKeyActions_[size_t(HotKeyAction::Wallpapers)]) hotKeyActions_[size_t(HotKeyAction::Wallpapers)]();
  };
  snapshotItem_.onClick = [this] { SaveSnapshot(); };

  const std::pair<HotKeyAction, std::function<void()>> own[] = {
      {HotKeyAction::Exit, [this] { Terminate(); }},
      {HotKeyAction::ToggleQuickInfo, [this] { tools_.Toggle(ToolSlot::QuickInfo); }},
      {HotKeyAction::ToggleBackground, [this] { tools_.Toggle(ToolSlot::Background); }},
      {HotKeyAction::ToggleEnhancedSettings, [this] { tools_.Toggle(ToolSlot::EnhancedSettings); }},
      {HotKeyAction::ToggleEditor, [this] { tools_.Toggle(ToolSlot::Editor); }},
      {HotKeyAction::Snapshot, [this] { SaveSnapshot(); }},
      // The preset editor's full-screen switch and Start / Stop take these
      // over when it exists, so that its buttons follow.
      {HotKeyAction::FullScreenSwitch, [this] { SwitchFullScreen(); }},
      {HotKeyAction::StartStop, [this] { SetTimeFrozenByUser(!TimeFrozenByUser()); }},
      {HotKeyAction::ToggleFrameRate, [this] { ShowFrameRate(!frameRateShown_); }},
  };
  for (const auto& [action, run] : own) hotKeyActions_[size_t(action)] = run;

  StartGL();
  FormResize();
  // The overlay names the list's current preset, as the saver would show it.
  std::string presetName;
  ReadCurrentPresetName(presetName);
  drawer_->SetPresetName(presetName);
  ReadFrameRateShown(frameRateShown_);
  drawer_->ShowFrameRate(frameRateShown_);
}

// Remembered at once, for this window and the saver alike.
void TMainForm::ShowFrameRate(bool shown) {
  frameRateShown_ = shown;
  drawer_->ShowFrameRate(shown);
  WriteFrameRateShown(shown);
}

TMainForm::~TMainForm() {
  endNotice_->store(nullptr);
  drawer_->StopGL();
}

void TMainForm::Terminate() {
  if (gui::Application* application = gui::Application::Current()) application->Terminate();
}

void TMainForm::StartGL() {
  if (!drawer_->StartGL(Handle())) Terminate();
  SetViewport();
}

void TMainForm::StopGL() {
  if (!drawer_->StopGL()) Terminate();
}

void TMainForm::SetViewport() {
  const gui::Size client = ClientSize();
  drawer_->SetViewport(0, 0, client.width, client.height, 45.0,
                       client.height > 0 ? double(client.width) / client.height : 1.0, 1.0, 100000.0);
}

void TMainForm::OnHandleDestroying() {
  endNotice_->store(nullptr);
  StopGL();
}

void TMainForm::OnHandleCreated() {
  endNotice_->store(Handle());
  StartGL();
}

void TMainForm::InstallApplicationEvents() {
  gui::Application& application = gui::Application::Instance();
  applicationEvents_.emplace_back(application.onDeactivate, [this] { pause_.Deactivated(); });
  applicationEvents_.emplace_back(application.onActivate, [this] { pause_.Activated(); });
  applicationEvents_.emplace_back(application.onMinimize, [this] { pause_.Minimised(); });
  applicationEvents_.emplace_back(application.onRestore, [this] { pause_.Restored(); });
}

bool TMainForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != kMaximizeCommand) break;
      // Maximising is the full-screen switch.
      if (const auto& run = hotKeyActions_[size_t(HotKeyAction::FullScreenSwitch)]) run();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_ACTIVATE:
      // Another window, ours or not, gets the held arrow's key-up.
      if (LOWORD(wParam) == WA_INACTIVE) StopArrowRepeat();
      break;
    case WM_ENTERSIZEMOVE:
      pause_.BeginMinimisedSpell();
      break;
    case WM_EXITSIZEMOVE:
      result = DefaultHandling(message, wParam, lParam);
      pause_.EndMinimisedSpell();
      return true;
    case WM_DISPLAYCHANGE:
      result = DefaultHandling(message, wParam, lParam);
      RecreateHandle();
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      ApplyCursor();
      result = TRUE;
      return true;
    case kDrawerEndedMessage:
      Terminate();
      return true;
    case kShownMessage:
      pause_.EndMinimisedSpell();
      return true;
  }
  return Form::OnMessage(message, wParam, lParam, result);
}

void TMainForm::FormShow() {
  pause_.BeginMinimisedSpell();
  if (!shownOnce_) {
    shownOnce_ = true;
    if (onFirstShow) onFirstShow();
  }
  PostMessageW(Handle(), kShownMessage, 0, 0);
}

void TMainForm::FormResize() {
  UpdateCaption();
  SetViewport();
}

void TMainForm::UpdateCaption(std::string_view text) {
  const gui::Size client = ClientSize();
  SetCaption(MainCaptionText(client.width, client.height, text));
}

void TMainForm::FormMouseDown(const gui::MouseEvent& event) {
  if (event.button != gui::MouseButton::Right) return;
  lastMouse_ = event.position;
  dragging_ = true;
  SetCursorShape(CursorShape::SizeAll);
}

void TMainForm::FormMouseUp(const gui::MouseEvent& event) {
  if (event.button != gui::MouseButton::Right) return;
  dragging_ = false;
  SetCursorShape(CursorShape::Default);
}

void TMainForm::FormMouseMove(const gui::MouseEvent& event) {
  cursorIdle_.MouseMoved();
  if (gui::Has(event.shift, gui::Shift::Right)) {
    if (cursor_ == CursorShape::None) SetCursorShape(CursorShape::SizeAll);
    MouseDrag(event.shift, event.position.x - lastMouse_.x, event.position.y - lastMouse_.y, senders_);
    lastMouse_ = event.position;
  } else {
    SetCursorShape(CursorShape::Default);
  }
}

void TMainForm::FormMouseWheel(gui::WheelEvent& event) {
  event.handled = MouseWheel(event.shift, event.delta, senders_);
}

void TMainForm::FormKeyDown(gui::KeyEvent& event) {
  if (arrows_.KeyDown(event.key, gui::KeyModifiers(event.shift))) arrowRepeatTimer_.SetEnabled(true);
  HandleHotKey(event.key, event.shift);
}

void TMainForm::FormKeyUp(gui::KeyEvent& event) {
  if (arrows_.KeyUp(event.key, gui::KeyModifiers(event.shift))) arrowRepeatTimer_.SetEnabled(false);
}

void TMainForm::StopArrowRepeat() {
  arrows_.Release();
  arrowRepeatTimer_.SetEnabled(false);
}

void TMainForm::FormDblClick() {
  if (tools_.DoubleClick(fullScreen_)) tools_.Toggle(ToolSlot::Editor);
}

void TMainForm::CursorTimerTick() {
  const bool editorOrBackground = tools_.Visible(ToolSlot::Editor) || tools_.Visible(ToolSlot::Background);
  if (cursorIdle_.Tick(fullScreen_ && Maximized(), editorOrBackground, dragging_))
    SetCursorShape(CursorShape::None);
}

void TMainForm::SetCursorShape(CursorShape shape) {
  if (shape == cursor_) return;
  cursor_ = shape;
  POINT at;
  if (GetCursorPos(&at) && WindowFromPoint(at) == Handle()) ApplyCursor();
}

void TMainForm::ApplyCursor() {
  if (busy_) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  switch (cursor_) {
    case CursorShape::Default: SetCursor(LoadCursorW(nullptr, IDC_ARROW)); break;
    case CursorShape::SizeAll: SetCursor(LoadCursorW(nullptr, IDC_SIZEALL)); break;
    case CursorShape::None: SetCursor(nullptr); break;
  }
}

void TMainForm::SetBusyCursor(bool busy) {
  busy_ = busy;
  POINT at;
  if (GetCursorPos(&at) && WindowFromPoint(at) == Handle()) ApplyCursor();
}

gui::ScopedSlot<std::function<void()>> TMainForm::SetHotKeyAction(HotKeyAction action, std::function<void()> run) {
  return {hotKeyActions_[size_t(action)], std::move(run)};
}

void TMainForm::HandleHotKey(gui::Key key, gui::Shift shift) {
  if (std::optional<HotKeyAction> action = FindHotKey(key, shift))
    if (const auto& run = hotKeyActions_[size_t(*action)]) run();
}

void TMainForm::SetPresetParam(int number, double value) {
  corvane::SetPresetParam(senders_, status_, number, value, onBackgroundChanged);
  WriteStatusBar();
}

double TMainForm::GetPresetParam(int number) { return drawer_->GetParam(number); }

void TMainForm::SetDrawerPriority(ThreadPriority priority) { drawer_->SetPriority(priority); }
ThreadPriority TMainForm::DrawerPriority() const { return drawer_->Priority(); }
void TMainForm::SetCalcPriority(ThreadPriority priority) { drawer_->SetCalcPriority(priority); }
ThreadPriority TMainForm::CalcPriority() const { return drawer_->CalcPriority(); }
void TMainForm::SetVSync(uint8_t mode) { drawer_->SetVSync(mode); }
uint8_t TMainForm::GetVSync() { return drawer_->GetVSync(); }
void TMainForm::SetSyncMode(uint8_t mode) { drawer_->SetSyncMode(mode); }
uint8_t TMainForm::GetSyncMode() { return drawer_->GetSyncMode(); }
void TMainForm::SetBackgroundColor(BackgroundColor color) { drawer_->SetBackgroundColor(color); }
BackgroundColor TMainForm::GetBackgroundColor() { return drawer_->GetBackgroundColor(); }
void TMainForm::Restart() { drawer_->Restart(); }
void TMainForm::CaptureView() { drawer_->CaptureView(); }
std::string TMainForm::GetStatusText() { return drawer_->GetStatusText(); }
std::string TMainForm::SaveSnapshot() { return drawer_->SaveSnapshot(); }

void TMainForm::ShowStatus(std::optional<std::string_view> a, std::optional<std::string_view> b,
                           std::optional<std::string_view> c) {
  status_.ShowStatus(a, b, c);
  WriteStatusBar();
}

void TMainForm::WriteStatusBar() {
  for (int panel = 0; panel < StatusPanels::kCount; ++panel) statusBar_.SetPanelText(panel, status_.Text(panel));
}

void TMainForm::SetStatusBarVisible(bool visible) {
  statusBar_.SetVisible(visible);
  LayoutChildren();
}

void TMainForm::EnterFullScreen() {
  tools_.SetStayOnTop(false);
  for (gui::MenuItem* item : {&settingsItem_, &backgroundItem_, &wallpapersItem_, &snapshotItem_}) item->SetVisible(false);
  SetBorderStyle(gui::BorderStyle::None);
  SetBorderWidth(0);
  fullScreen_ = true;
  Maximize();
}

void TMainForm::LeaveFullScreen() {
  fullScreen_ = false;
  Restore();
  SetBorderStyle(gui::BorderStyle::Sizeable);
  SetBorderWidth(1);
  for (gui::MenuItem* item : {&settingsItem_, &backgroundItem_, &wallpapersItem_, &snapshotItem_}) item->SetVisible(true);
  tools_.SetStayOnTop(true);
  cursorIdle_.MouseMoved();
  SetCursorShape(CursorShape::Default);
}

void TMainForm::SwitchFullScreen() {
  if (fullScreen_)
    LeaveFullScreen();
  else
    EnterFullScreen();
}

void TMainForm::ShowModalWithPause(gui::Form& form) {
  ShowModalWithPause([&form] { form.ShowModal(); });
}

void TMainForm::ShowModalWithPause(const std::function<void()>& showModal) {
  RunModalWithPause(tools_, pause_,
                    {.showMainWindow = [this](bool visible) { visible ? Show() : Hide(); },
                     .showModal = showModal,
                     .maximised = fullScreen_});
}

}  // namespace corvane
