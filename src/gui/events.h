#pragma once
// What the key and mouse events of forms and controls carry.

#include "gui/geometry.h"
#include "gui/keys.h"

namespace corvane::gui {

struct KeyEvent {
  Key key = 0;
  Shift shift = Shift::None;
  bool handled = false;  // set to stop the key here
};
struct CharEvent {
  wchar_t character = 0;  // set to 0 to drop the character
};
enum class MouseButton { Left, Right, Middle };
struct MouseEvent {
  MouseButton button = MouseButton::Left;
  Shift shift = Shift::None;  // modifiers and the buttons held
  Point position;             // client pixels
};
struct WheelEvent {
  int delta = 0;
  Shift shift = Shift::None;
  Point position;  // client pixels
  bool handled = false;
};

}  // namespace corvane::gui
