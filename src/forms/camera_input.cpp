#include "forms/camera_input.h"

namespace corvane {

namespace {

constexpr ShiftState kRightOnly{ShiftKey::Right};
constexpr ShiftState kRightShift{ShiftKey::Right, ShiftKey::Shift};
constexpr ShiftState kRightControl{ShiftKey::Right, ShiftKey::Control};

}  // namespace

bool IsArrowKey(uint16_t key) { return key >= key::kLeft && key <= key::kDown; }

void MouseDrag(ShiftState shift, int dx, int dy, DrawerSenders& drawer) {
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

bool MouseWheel(ShiftState shift, int delta, DrawerSenders& drawer) {
  if (!shift.Has(ShiftKey::Right)) return false;
  const double d = delta;
  if (shift == kRightOnly)
    drawer.Translate(0, 0, d);
  else if (shift == kRightShift)
    drawer.Translate(d, 0, 0);
  else if (shift == kRightControl)
    drawer.Translate(0, d, 0);
  return true;
}

bool ArrowRepeat::KeyDown(uint16_t key, ShiftState shift) {
  lastKey_ = key;
  lastShift_ = shift;
  return IsArrowKey(key);
}

bool ArrowRepeat::KeyUp(uint16_t key, ShiftState shift) {
  lastKey_ = key;
  lastShift_ = shift;
  return IsArrowKey(key);
}

void ArrowRepeat::Tick(DrawerSenders& drawer) const {
  // Shift and Control both apply when both are held; Alt alone moves nothing.
  if (lastShift_.Has(ShiftKey::Shift)) {
    switch (lastKey_) {
      case key::kLeft: drawer.Rotate(0, 0, -kArrowAngleStep); break;
      case key::kRight: drawer.Rotate(0, 0, kArrowAngleStep); break;
      case key::kUp: drawer.Translate(0, 0, kArrowDistanceStep); break;
      case key::kDown: drawer.Translate(0, 0, -kArrowDistanceStep); break;
    }
  }
  if (lastShift_.Has(ShiftKey::Control)) {
    switch (lastKey_) {
      case key::kLeft: drawer.Rotate(0, -kArrowAngleStep, 0); break;
      case key::kRight: drawer.Rotate(0, kArrowAngleStep, 0); break;
      case key::kUp: drawer.Rotate(-kArrowAngleStep, 0, 0); break;
      case key::kDown: drawer.Rotate(kArrowAngleStep, 0, 0); break;
    }
  }
  if (lastShift_.NoModifier()) {
    switch (lastKey_) {
      case key::kLeft: drawer.Translate(kArrowDistanceStep, 0, 0); break;
      case key::kRight: drawer.Translate(-kArrowDistanceStep, 0, 0); break;
      case key::kUp: drawer.Translate(0, -kArrowDistanceStep, 0); break;
      case key::kDown: drawer.Translate(0, kArrowDistanceStep, 0); break;
    }
  }
}

bool CursorIdleCount::Tick(bool fullScreen, bool editorOrBackgroundVisible, bool dragging) {
  if (!fullScreen || editorOrBackgroundVisible) return false;
  if (count_ > 0) --count_;
  return count_ < 1 && !dragging;
}

}  // namespace corvane
