#include <gtest/gtest.h>

#include "forms/main_window/camera_input.h"
#include "recording_drawer.h"

namespace corvane {
namespace {

using gui::Shift;
namespace keys = gui::keys;

using test::Rotate;
using test::SentCall;
using test::Translate;
using Calls = std::vector<SentCall>;

// The angles reach the drawing thread as these very numbers, not converted.
constexpr double kPi32 = 0.09817477042468103;
constexpr double kPi64 = 0.04908738521234052;

constexpr Shift kRight = Shift::Right;
constexpr Shift kNone = Shift::None;

TEST(MouseDrag, ExactShiftSetsChooseTheMovement) {
  struct Case {
    Shift shift;
    Calls calls;
  };
  const int dx = 4, dy = -3;
  const Case cases[] = {
      {kRight, {Rotate(dy * kPi32, dx * kPi32, 0)}},
      {Shift::Right | Shift::Shift, {Translate(0, 0, 3), Rotate(0, 0, dx * kPi32)}},
      {Shift::Right | Shift::Ctrl, {Translate(-4, -3, 0)}},
      // Any other combination moves nothing.
      {Shift::Right | Shift::Shift | Shift::Ctrl, {}},
      {Shift::Right | Shift::Alt, {}},
      {Shift::Right | Shift::Left, {}},
      {Shift::Left, {}},
      {kNone, {}},
  };
  for (const Case& c : cases) {
    test::RecordingDrawer drawer;
    MouseDrag(c.shift, dx, dy, drawer);
    EXPECT_EQ(drawer.calls, c.calls) << testing::PrintToString(c.calls);
  }
}

TEST(MouseWheel, MovesOnlyWhileTheRightButtonIsHeld) {
  struct Case {
    Shift shift;
    bool handled;
    Calls calls;
  };
  const Case cases[] = {
      {kRight, true, {Translate(0, 0, -120)}},
      {Shift::Right | Shift::Shift, true, {Translate(-120, 0, 0)}},
      {Shift::Right | Shift::Ctrl, true, {Translate(0, -120, 0)}},
      {Shift::Right | Shift::Alt, true, {}},
      {kNone, false, {}},
      {Shift::Shift, false, {}},
      {Shift::Ctrl | Shift::Left, false, {}},
  };
  for (const Case& c : cases) {
    test::RecordingDrawer drawer;
    EXPECT_EQ(MouseWheel(c.shift, -120, drawer), c.handled);
    EXPECT_EQ(drawer.calls, c.calls) << testing::PrintToString(c.calls);
  }
}

TEST(ArrowRepeat, EachTickMovesByTheLastKeyAndShiftState) {
  struct Case {
    gui::Key key;
    Shift shift;
    Calls calls;
  };
  const Shift shift = Shift::Shift, control = Shift::Ctrl;
  const Case cases[] = {
      {keys::kLeft, kNone, {Translate(3, 0, 0)}},
      {keys::kRight, kNone, {Translate(-3, 0, 0)}},
      {keys::kUp, kNone, {Translate(0, -3, 0)}},
      {keys::kDown, kNone, {Translate(0, 3, 0)}},
      {keys::kLeft, shift, {Rotate(0, 0, -kPi64)}},
      {keys::kRight, shift, {Rotate(0, 0, kPi64)}},
      {keys::kUp, shift, {Translate(0, 0, 3)}},
      {keys::kDown, shift, {Translate(0, 0, -3)}},
      {keys::kLeft, control, {Rotate(0, -kPi64, 0)}},
      {keys::kRight, control, {Rotate(0, kPi64, 0)}},
      {keys::kUp, control, {Rotate(-kPi64, 0, 0)}},
      {keys::kDown, control, {Rotate(kPi64, 0, 0)}},
      // Both blocks apply when Shift and Control are held.
      {keys::kLeft, Shift::Shift | Shift::Ctrl, {Rotate(0, 0, -kPi64), Rotate(0, -kPi64, 0)}},
      {keys::kUp, Shift::Shift | Shift::Ctrl, {Translate(0, 0, 3), Rotate(-kPi64, 0, 0)}},
      {keys::kLeft, Shift::Alt, {}},
      {keys::F(1), kNone, {}},
  };
  for (const Case& c : cases) {
    test::RecordingDrawer drawer;
    ArrowRepeat repeat;
    EXPECT_EQ(repeat.KeyDown(c.key, c.shift), IsArrowKey(c.key));
    repeat.Tick(drawer);
    repeat.Tick(drawer);
    Calls twice = c.calls;
    twice.insert(twice.end(), c.calls.begin(), c.calls.end());
    EXPECT_EQ(drawer.calls, twice) << "key " << c.key << ": " << testing::PrintToString(c.calls);
  }
}

TEST(ArrowRepeat, ReleasesAndModifierKeysReplaceTheLastKey) {
  test::RecordingDrawer drawer;
  ArrowRepeat repeat;
  EXPECT_TRUE(repeat.KeyDown(keys::kLeft, kNone));
  // Pressing Control while the arrow is held makes Control the last key:
  // the repeat stops moving until the arrow repeats again.
  EXPECT_FALSE(repeat.KeyDown(keys::kControl, Shift::Ctrl));
  repeat.Tick(drawer);
  EXPECT_TRUE(drawer.Take().empty());
  EXPECT_TRUE(repeat.KeyDown(keys::kLeft, Shift::Ctrl));
  repeat.Tick(drawer);
  EXPECT_EQ(drawer.Take(), Calls{Rotate(0, -kPi64, 0)});
  EXPECT_TRUE(repeat.KeyUp(keys::kLeft, Shift::Ctrl));
  // A held arrow whose key-up goes to another window stops with the focus.
  EXPECT_TRUE(repeat.KeyDown(keys::kUp, kNone));
  repeat.Release();
  repeat.Tick(drawer);
  EXPECT_TRUE(drawer.Take().empty());
}

TEST(CursorIdleCount, HidesAfterFiveIdleTicksInFullScreenOnly) {
  CursorIdleCount idle;
  for (int tick = 0; tick < 10; ++tick) EXPECT_FALSE(idle.Tick(false, false, false)) << "normal window";
  for (int tick = 0; tick < 10; ++tick) EXPECT_FALSE(idle.Tick(true, true, false)) << "editor visible";
  for (int tick = 1; tick < kCursorIdleTicks; ++tick) EXPECT_FALSE(idle.Tick(true, false, false)) << tick;
  EXPECT_FALSE(idle.Tick(true, false, true)) << "not during a drag";
  EXPECT_TRUE(idle.Tick(true, false, false));
  idle.MouseMoved();
  EXPECT_FALSE(idle.Tick(true, false, false));
}

}  // namespace
}  // namespace corvane
