#include <gtest/gtest.h>

#include "forms/camera_input.h"
#include "recording_drawer.h"

namespace corvane {
namespace {

using test::Rotate;
using test::SentCall;
using test::Translate;
using Calls = std::vector<SentCall>;

// The angles reach the drawing thread as these very numbers, not converted.
constexpr double kPi32 = 0.09817477042468103;
constexpr double kPi64 = 0.04908738521234052;

constexpr ShiftState kRight{ShiftKey::Right};
constexpr ShiftState kNone{};

TEST(MouseDrag, ExactShiftSetsChooseTheMovement) {
  struct Case {
    ShiftState shift;
    Calls calls;
  };
  const int dx = 4, dy = -3;
  const Case cases[] = {
      {kRight, {Rotate(dy * kPi32, dx * kPi32, 0)}},
      {{ShiftKey::Right, ShiftKey::Shift}, {Translate(0, 0, 3), Rotate(0, 0, dx * kPi32)}},
      {{ShiftKey::Right, ShiftKey::Control}, {Translate(-4, -3, 0)}},
      // Any other combination moves nothing.
      {{ShiftKey::Right, ShiftKey::Shift, ShiftKey::Control}, {}},
      {{ShiftKey::Right, ShiftKey::Alt}, {}},
      {{ShiftKey::Right, ShiftKey::Left}, {}},
      {{ShiftKey::Left}, {}},
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
    ShiftState shift;
    bool handled;
    Calls calls;
  };
  const Case cases[] = {
      {kRight, true, {Translate(0, 0, -120)}},
      {{ShiftKey::Right, ShiftKey::Shift}, true, {Translate(-120, 0, 0)}},
      {{ShiftKey::Right, ShiftKey::Control}, true, {Translate(0, -120, 0)}},
      {{ShiftKey::Right, ShiftKey::Alt}, true, {}},
      {kNone, false, {}},
      {{ShiftKey::Shift}, false, {}},
      {{ShiftKey::Control, ShiftKey::Left}, false, {}},
  };
  for (const Case& c : cases) {
    test::RecordingDrawer drawer;
    EXPECT_EQ(MouseWheel(c.shift, -120, drawer), c.handled);
    EXPECT_EQ(drawer.calls, c.calls) << testing::PrintToString(c.calls);
  }
}

TEST(ArrowRepeat, EachTickMovesByTheLastKeyAndShiftState) {
  struct Case {
    uint16_t key;
    ShiftState shift;
    Calls calls;
  };
  const ShiftState shift{ShiftKey::Shift}, control{ShiftKey::Control};
  const Case cases[] = {
      {key::kLeft, kNone, {Translate(3, 0, 0)}},
      {key::kRight, kNone, {Translate(-3, 0, 0)}},
      {key::kUp, kNone, {Translate(0, -3, 0)}},
      {key::kDown, kNone, {Translate(0, 3, 0)}},
      {key::kLeft, shift, {Rotate(0, 0, -kPi64)}},
      {key::kRight, shift, {Rotate(0, 0, kPi64)}},
      {key::kUp, shift, {Translate(0, 0, 3)}},
      {key::kDown, shift, {Translate(0, 0, -3)}},
      {key::kLeft, control, {Rotate(0, -kPi64, 0)}},
      {key::kRight, control, {Rotate(0, kPi64, 0)}},
      {key::kUp, control, {Rotate(-kPi64, 0, 0)}},
      {key::kDown, control, {Rotate(kPi64, 0, 0)}},
      // Both blocks apply when Shift and Control are held.
      {key::kLeft, {ShiftKey::Shift, ShiftKey::Control}, {Rotate(0, 0, -kPi64), Rotate(0, -kPi64, 0)}},
      {key::kUp, {ShiftKey::Shift, ShiftKey::Control}, {Translate(0, 0, 3), Rotate(-kPi64, 0, 0)}},
      {key::kLeft, {ShiftKey::Alt}, {}},
      {key::kF1, kNone, {}},
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
  EXPECT_TRUE(repeat.KeyDown(key::kLeft, kNone));
  // Pressing Control while the arrow is held makes Control the last key:
  // the repeat stops moving until the arrow repeats again.
  EXPECT_FALSE(repeat.KeyDown(0x11, {ShiftKey::Control}));
  repeat.Tick(drawer);
  EXPECT_TRUE(drawer.Take().empty());
  EXPECT_TRUE(repeat.KeyDown(key::kLeft, {ShiftKey::Control}));
  repeat.Tick(drawer);
  EXPECT_EQ(drawer.Take(), Calls{Rotate(0, -kPi64, 0)});
  EXPECT_TRUE(repeat.KeyUp(key::kLeft, {ShiftKey::Control}));
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
