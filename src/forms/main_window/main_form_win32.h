#pragma once
// TMainForm: the window of the application mode. Its client area is the
// OpenGL surface of the drawing thread it owns; it turns mouse, wheel and
// arrow keys into view movements, dispatches the hot keys, pauses the
// picture whenever the application is in the background, and offers the
// other windows a small set of operations.

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawer/drawer.h"
#include "forms/main_window/camera_input.h"
#include "forms/main_window/drawing_pause.h"
#include "forms/main_window/hot_keys.h"
#include "forms/main_window/main_form_rules.h"
#include "forms/preset_editor/preset_editor_commands.h"
#include "forms/tool_windows/tool_form_host.h"
#include "forms/tool_windows/tool_windows.h"
#include "gui/gui_win32.h"

namespace corvane {

// The application-level handler of the application mode: a handler that
// raised becomes one record naming TMainForm and the raising object's
// class; then the application ends.
void InstallApplicationExceptionHandler(gui::Application& application);

// The tool windows and the preset editor reach the main window through the
// host interfaces it implements.
class TMainForm final : public gui::Form, public ToolFormHost, public EditorHost {
 public:
  // The drawing thread's render context; the product's draws on WGL.
  explicit TMainForm(RenderContextFactory makeRenderContext = {});
  ~TMainForm() override;

  const char* ClassName() const noexcept override { return "TMainForm"; }

  // The seams later windows plug into. A slot or action that nobody filled
  // does nothing. Another window's action holds that window: it stays only
  // while the answer lives.
  ToolWindows& Tools() noexcept { return tools_; }
  gui::ScopedSlot<std::function<void()>> SetHotKeyAction(HotKeyAction action, std::function<void()> run);
  // Runs on the first show (the setup window's question).
  std::function<void()> onFirstShow;
  // Told the four bytes of the background colour after a change of 65..68.
  std::function<void(BackgroundColor)> onBackgroundChanged;

  // Also called by the tool windows with the keys they see.
  void HandleHotKey(gui::Key key, gui::Shift shift) override;

  // Operations offered to other windows.
  void SetPresetParam(int number, double value) override;
  double GetPresetParam(int number) override;
  void SetDrawerPriority(ThreadPriority priority) override;
  ThreadPriority DrawerPriority() const override;
  void SetCalcPriority(ThreadPriority priority) override;
  ThreadPriority CalcPriority() const override;
  void SetVSync(uint8_t mode) override;
  uint8_t GetVSync() override;
  void SetSyncMode(uint8_t mode) override;
  uint8_t GetSyncMode() override;
  void SetBackgroundColor(BackgroundColor color) override;
  BackgroundColor GetBackgroundColor() override;
  void Restart();
  void CaptureView() override;
  std::string GetStatusText();
  std::string SaveSnapshot();
  // The drawing thread itself, for the measuring tools.
  TDrawer& Drawer() noexcept { return *drawer_; }

  void ShowStatus(std::optional<std::string_view> a, std::optional<std::string_view> b = std::nullopt,
                  std::optional<std::string_view> c = std::nullopt) override;
  const StatusPanels& Status() const noexcept { return status_; }
  void SetStatusBarVisible(bool visible);
  // "Corvane | <width> x <height> | <text>".
  void UpdateCaption(std::string_view text = {});

  void Pause() { pause_.Pause(); }
  void Resume() { pause_.Resume(); }
  void SuspendDrawing() override { pause_.SuspendDrawing(); }
  void ResumeDrawing() override { pause_.ResumeDrawing(); }
  // Start / Stop: freezes or releases the animation time only.
  void SetTimeFrozenByUser(bool frozen) { pause_.SetTimeFrozenByUser(frozen); }
  bool TimeFrozenByUser() const noexcept { return pause_.TimeFrozenByUser(); }
  // The hidden state of a modal tool window or a wallpapers-list start.
  void EnterHiddenState() { pause_.Hide(); }
  void LeaveHiddenState() { pause_.Unhide(); }
  bool InHiddenState() const noexcept { return pause_.IsHidden(); }

  void EnterFullScreen();
  void LeaveFullScreen();
  void SwitchFullScreen();
  bool FullScreen() const noexcept { return fullScreen_; }

  // Shows `form` modally with the picture paused and the main and tool
  // windows out of the way; or runs `showModal`, which shows a form so.
  void ShowModalWithPause(gui::Form& form);
  void ShowModalWithPause(const std::function<void()>& showModal);

  // While set, the client area shows the hourglass.
  void SetBusyCursor(bool busy);
  bool CursorHidden() const noexcept { return cursor_ == CursorShape::None; }
  bool Dragging() const noexcept { return dragging_; }
  bool ArrowRepeating() const noexcept { return arrowRepeatTimer_.Enabled(); }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnHandleDestroying() override;
  void OnHandleCreated() override;

 private:
  enum class CursorShape { Default, SizeAll, None };

  void StartGL();
  void StopGL();
  void SetViewport();
  void InstallApplicationEvents();
  void FormShow();
  void FormResize();
  void FormMouseDown(const gui::MouseEvent& event);
  void FormMouseUp(const gui::MouseEvent& event);
  void FormMouseMove(const gui::MouseEvent& event);
  void FormMouseWheel(gui::WheelEvent& event);
  void FormKeyDown(gui::KeyEvent& event);
  void FormKeyUp(gui::KeyEvent& event);
  void StopArrowRepeat();
  void FormDblClick();
  void CursorTimerTick();
  void SetCursorShape(CursorShape shape);
  void ApplyCursor();
  void WriteStatusBar();
  void Terminate();
  void ShowFrameRate(bool shown);

  std::unique_ptr<TDrawer> drawer_;
  TDrawerSenders senders_;
  DrawingPause pause_;
  ToolWindows tools_;
  StatusPanels status_;
  ArrowRepeat arrows_;
  CursorIdleCount cursorIdle_;
  std::array<std::function<void()>, kHotKeyActionCount> hotKeyActions_;
  // The application's events reach this window only while it exists.
  std::vector<gui::ScopedSlot<std::function<void()>>> applicationEvents_;
  // Where the drawing thread's end is reported; cleared before the window goes.
  std::shared_ptr<std::atomic<HWND>> endNotice_;

  gui::MainMenu menuBar_{*this};
  gui::MenuItem& settingsItem_;
  gui::MenuItem& backgroundItem_;
  gui::MenuItem& wallpapersItem_;
  gui::MenuItem& snapshotItem_;
  gui::StatusBar statusBar_;
  gui::Timer cursorTimer_;
  gui::Timer arrowRepeatTimer_;

  gui::Point lastMouse_{};
  bool dragging_ = false;
  bool shownOnce_ = false;
  bool fullScreen_ = false;
  bool busy_ = false;
  bool frameRateShown_ = false;
  CursorShape cursor_ = CursorShape::Default;
};

}  // namespace corvane
