#include "forms/main_window/camera_input.h"

namespace corvane {

namespace {

using gui::Shift;
namespace keys = gui::keys;

constexpr Shift kRightOnly = Shift::Right;
constexpr Shift kRightShift = Shift::Right | Shift::Shift;
constexpr Shift kRightControl = Shift::Right | Shift::Ctrl;

}  // namespace

bool IsArrowKey(gui::Key key) { return key >= keys::kLeft && key <= keys::kDown; }

void MouseDrag(Shift shift, int dx, int dy, DrawerSenders& drawer) {
  // Only these exact sets move the view; any other button or key held with
  // them does nothing.
  if (shift == kRightOnly) {
    drawer.Rotate(dy * kDragAngleStep, dx * kDragAngleStep, 0);
  } else if (shift == kRightShift) {
    drawer.Translate(0, 0, -dy);
    drawer.Rotate(0, 0, dx * kDragAngleStep);
  } else if (shift == kRightControl) {
    drawer.Translate(-dx, dy, 0);
  }
}

bool MouseWheel(Shift shift, int delta, DrawerSenders& drawer) {
  if (!gui::Has(shift, Shift::Right)) return false;
  const double d = delta;
  if (shift == kRightOnly)
    drawer.Translate(0, 0, d);
  else if (shift == kRightShift)
    drawer.Translate(d, 0, 0);
  else if (shift == kRightControl)
    drawer.Translate(0, d, 0);
  return true;
}

bool ArrowRepeat::KeyDown(gui::Key key, Shift shift) {
  lastKey_ = key;
  lastShift_ = shift;
  return IsArrowKey(key);
}

bool ArrowRepeat::KeyUp(gui::Key key, Shift shift) {
  lastKey_ = key;
  lastShift_ = shift;
  return IsArrowKey(key);
}

void ArrowRepeat::Release() {
  lastKey_ = 0;
  lastShift_ = Shift::None;
}

void ArrowRepeat::Tick(DrawerSenders& drawer) const {
  // Shift and Control both apply when both are held; Alt alone moves nothing.
  if (gui::Has(lastShift_, Shift::Shift)) {
    switch (lastKey_) {
      case keys::kLeft: drawer.Rotate(0, 0, -kArrowAngleStep); break;
      case keys::kRight: drawer.Rotate(0, 0, kArrowAngleStep); break;
      case keys::kUp: drawer.Translate(0, 0, kArrowDistanceStep); break;
      case keys::kDown: drawer.Translate(0, 0, -kArrowDistanceStep); break;
    }
  }
  if (gui::Has(lastShift_, Shift::Ctrl)) {
    switch (lastKey_) {
      case keys::kLeft: drawer.Rotate(0, -kArrowAngleStep, 0); break;
      case keys::kRight: drawer.Rotate(0, kArrowAngleStep, 0); break;
      case keys::kUp: drawer.Rotate(-kArrowAngleStep, 0, 0); break;
      case keys::kDown: drawer.Rotate(kArrowAngleStep, 0, 0); break;
    }
  }
  if (gui::KeyModifiers(lastShift_) == Shift::None) {
    switch (lastKey_) {
      case keys::kLeft: drawer.Translate(kArrowDistanceStep, 0, 0); break;
      case keys::kRight: drawer.Translate(-kArrowDistanceStep, 0, 0); break;
      case keys::kUp: drawer.Translate(0, -kArrowDistanceStep, 0); break;
      case keys::kDown: drawer.Translate(0, kArrowDistanceStep, 0); break;
    }
  }
}

bool CursorIdleCount::Tick(bool fullScreen, bool editorOrBackgroundVisible, bool dragging) {
  if (!fullScreen || editorOrBackgroundVisible) return false;
  if (count_ > 0) --count_;
  return count_ < 1 && !dragging;
}

}  // namespace corvane
