#pragma once
// How the main window turns mouse drags, wheel turns and held arrow keys
// into camera movements, and when it hides the cursor. Angles go to the
// drawing thread unchanged; the renderer applies them as degrees.

#include <cstdint>
#include <initializer_list>
#include <numbers>

#include "forms/drawer_senders.h"

namespace corvane {

// Virtual-key codes of the keys the main window knows (the system's values).
namespace key {
inline constexpr uint16_t kPause = 0x13;
inline constexpr uint16_t kEscape = 0x1B;
inline constexpr uint16_t kLeft = 0x25;
inline constexpr uint16_t kUp = 0x26;
inline constexpr uint16_t kRight = 0x27;
inline constexpr uint16_t kDown = 0x28;
inline constexpr uint16_t kF1 = 0x70;
inline constexpr uint16_t kF2 = 0x71;
inline constexpr uint16_t kF3 = 0x72;
inline constexpr uint16_t kF4 = 0x73;
inline constexpr uint16_t kF5 = 0x74;
inline constexpr uint16_t kF6 = 0x75;
inline constexpr uint16_t kF7 = 0x76;
inline constexpr uint16_t kF8 = 0x77;
inline constexpr uint16_t kF9 = 0x78;
inline constexpr uint16_t kF10 = 0x79;
inline constexpr uint16_t kF11 = 0x7A;
inline constexpr uint16_t kF12 = 0x7B;
}  // namespace key

enum class ShiftKey : uint8_t { Shift = 1, Alt = 2, Control = 4, Left = 8, Right = 16, Middle = 32 };

// The modifier keys and mouse buttons held at an input event.
class ShiftState {
 public:
  constexpr ShiftState() = default;
  constexpr ShiftState(std::initializer_list<ShiftKey> keys) {
    for (ShiftKey k : keys) bits_ |= static_cast<uint8_t>(k);
  }
  constexpr bool Has(ShiftKey k) const { return (bits_ & static_cast<uint8_t>(k)) != 0; }
  constexpr void Set(ShiftKey k, bool on) {
    bits_ = on ? bits_ | static_cast<uint8_t>(k) : bits_ & ~static_cast<uint8_t>(k);
  }
  // No Shift, Alt or Control (mouse buttons do not count).
  constexpr bool NoModifier() const { return (bits_ & 7) == 0; }
  constexpr bool operator==(const ShiftState&) const = default;

 private:
  uint8_t bits_ = 0;
};

inline constexpr double kDragAngleStep = std::numbers::pi / 32;  // per pixel
inline constexpr double kArrowAngleStep = std::numbers::pi / 64;
inline constexpr double kArrowDistanceStep = 3;
inline constexpr unsigned kArrowRepeatMs = 15;
inline constexpr int kCursorIdleTicks = 5;

bool IsArrowKey(uint16_t key);

// One step of a right-button drag by (dx, dy) pixels.
void MouseDrag(ShiftState shift, int dx, int dy, DrawerSenders& drawer);
// A wheel turn; answers whether the wheel event is handled (only while the
// right button is held).
bool MouseWheel(ShiftState shift, int delta, DrawerSenders& drawer);

// The arrow-key repeat: the last key and shift state seen, and the movement
// each 15-ms tick makes of them while an arrow key is down.
class ArrowRepeat {
 public:
  // Each answers whether the repeat timer is to run (key down) or stop (key up).
  bool KeyDown(uint16_t key, ShiftState shift);
  bool KeyUp(uint16_t key, ShiftState shift);
  void Tick(DrawerSenders& drawer) const;

 private:
  uint16_t lastKey_ = 0;
  ShiftState lastShift_;
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
