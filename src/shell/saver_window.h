#pragma once
// The window of the two saver run modes: a plain window class with a
// hand-written message loop that drives one drawing thread directly.

#include <windows.h>

#include <functional>
#include <memory>

#include "presets/param_sink.h"
#include "shell/monitor_layout.h"

namespace corvane {

inline constexpr wchar_t kSaverWindowClass[] = L"CorvaneScreenSaverClass";
inline constexpr UINT_PTR kSaverTimerId = 9;
inline constexpr UINT kSaverTimerPeriodMs = 500;
inline constexpr int kInputEventsPerPeriod = 5;
// Low-power (1) and power-off (2) requests arrive with this system command.
inline constexpr WPARAM kMonitorPowerCommand = 0xF170;

// The drawing thread as the saver window drives it. The run modes make a
// real one; tests put a recorder in its place to drive the window procedure
// in-process.
class SaverPicture : public ParamSink {
 public:
  // Priorities, OpenGL on `window` and a viewport of its size.
  virtual void Start(HWND window, int width, int height) = 0;
  // The full-screen window's viewports, at start and after the monitors
  // changed under a running saver.
  virtual void SetLayout(const SaverLayout& layout) = 0;
  virtual void StopGL() = 0;
  // OpenGL again on the window, after it changed size; the picture goes on
  // as it was.
  virtual void RestartGL() = 0;
  virtual void SetTimeFrozen(bool frozen) = 0;
  virtual void SetAnimating(bool animating) = 0;
  virtual void ClearScreen() = 0;
  // The full-screen window's frames-per-second overlay, as stored.
  virtual void ShowFrameRate(bool shown) = 0;
};
using SaverPictureMaker = std::function<std::unique_ptr<SaverPicture>()>;

// The drawing thread of the run modes, with its calculation thread.
std::unique_ptr<SaverPicture> MakeDrawerPicture();

// Creates the saver window on this thread, with the window class: a preview
// child filling `previewParent`, or (no parent) the top-most full-screen
// window over every monitor, drawn in the stored Monitors mode, which
// follows the monitors when they change (WM_DISPLAYCHANGE). The window makes its picture with
// `makePicture` when created and frees it when destroyed; destruction posts
// the quit message. Raises what creation raised.
HWND CreateSaverWindow(HWND previewParent, SaverPictureMaker makePicture);
// Raises, once, an error the window procedure kept from a message.
void RaiseKeptSaverError();

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
