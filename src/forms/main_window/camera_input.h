#pragma once
// How the main window turns mouse drags, wheel turns and held arrow keys
// into camera movements, and when it hides the cursor. Angles go to the
// drawing thread unchanged; the renderer applies them as degrees.

#include <cstdint>
#include <numbers>

#include "forms/main_window/drawer_senders.h"
#include "gui/keys.h"

namespace corvane {

inline constexpr double kDragAngleStep = std::numbers::pi / 32;  // per pixel
inline constexpr double kArrowAngleStep = std::numbers::pi / 64;
inline constexpr double kArrowDistanceStep = 3;
inline constexpr unsigned kArrowRepeatMs = 15;
inline constexpr int kCursorIdleTicks = 5;

bool IsArrowKey(gui::Key key);

// One step of a right-button drag by (dx, dy) pixels.
void MouseDrag(gui::Shift shift, int dx, int dy, DrawerSenders& drawer);
// A wheel turn; answers whether the wheel event is handled (only while the
// right button is held).
bool MouseWheel(gui::Shift shift, int delta, DrawerSenders& drawer);

// The arrow-key repeat: the last key and shift state seen, and the movement
// each 15-ms tick makes of them while an arrow key is down.
class ArrowRepeat {
 public:
  // Each answers whether the repeat timer is to run (key down) or stop (key up).
  bool KeyDown(gui::Key key, gui::Shift shift);
  bool KeyUp(gui::Key key, gui::Shift shift);
  // The window lost the keyboard: its key-up will never arrive, so the
  // held key is forgotten and the repeat stops.
  void Release();
  void Tick(DrawerSenders& drawer) const;

 private:
  gui::Key lastKey_ = 0;
  gui::Shift lastShift_ = gui::Shift::None;
};

// Hides the cursor after some idle ticks of the one-second timer, in the
// full-screen state only; any mouse move brings it back.
class CursorIdleCount {
 public:
  void MouseMoved() { count_ = kCursorIdleTicks; }
  // One tick; answers whether the cursor is to be hidden now.
  bool Tick(bool fullScreen, bool editorOrBackgroundVisible, bool dragging);

 private:
  int count_ = kCursorIdleTicks;
};

}  // namespace corvane
