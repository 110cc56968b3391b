#include "gui/geometry.h"

#include <gtest/gtest.h>

namespace corvane::gui {
namespace {

TEST(GuiGeometry, ScalesLengthsToTheNearestPixel) {
  struct Case {
    int value, dpi, expected;
  };
  for (const Case& c : {Case{57, 96, 57}, Case{57, 144, 86}, Case{25, 144, 38}, Case{3, 120, 4}, Case{1, 120, 1},
                        Case{-3, 144, -5}, Case{640, 192, 1280}, Case{0, 144, 0}}) {
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
  }
  EXPECT_EQ(ScaleToDpi(Size{329, 494}, 144), (Size{494, 741}));
}

TEST(GuiGeometry, ControlsThatTouchAt96DpiTouchAtEveryDpi) {
  for (int dpi : {96, 120, 144, 168, 192, 240}) {
    for (int x = 0; x < 60; ++x) {
      Rect left = ScaleToDpi(Rect{x, x, 1, 1}, dpi), right = ScaleToDpi(Rect{x + 1, x + 1, 1, 1}, dpi);
      ASSERT_EQ(left.Right(), right.left) << "x " << x << " at " << dpi;
      ASSERT_EQ(left.Bottom(), right.top) << "y " << x << " at " << dpi;
    }
  }
}

TEST(GuiGeometry, CentresInTheWorkAreaAndKeepsLargeBoxesOnIt) {
  EXPECT_EQ(CentreIn({0, 0, 1920, 1040}, {656, 519}), (Point{632, 260}));
  EXPECT_EQ(CentreIn({1920, 0, 1280, 1024}, {300, 200}), (Point{2410, 412}));
  EXPECT_EQ(CentreIn({100, 50, 800, 600}, {1000, 700}), (Point{100, 50}));
}

TEST(GuiGeometry, DockLayoutTakesStripsInOrderAndFillsTheRest) {
  // A grid above a bottom panel above a status bar, the fill listed first.
  std::vector<Rect> placed = DockLayout({0, 0, 228, 540}, {{Align::Fill, {}},
                                                           {Align::Bottom, {0, 0, 0, 20}},
                                                           {Align::Bottom, {0, 0, 0, 70}},
                                                           {Align::None, {3, 38, 65, 25}}});
  EXPECT_EQ(placed[0], (Rect{0, 0, 228, 450}));
  EXPECT_EQ(placed[1], (Rect{0, 520, 228, 20}));
  EXPECT_EQ(placed[2], (Rect{0, 450, 228, 70}));
  EXPECT_EQ(placed[3], (Rect{3, 38, 65, 25}));

  placed = DockLayout({10, 10, 100, 50}, {{Align::Top, {0, 0, 0, 35}},
                                          {Align::Left, {0, 0, 30, 0}},
                                          {Align::Right, {0, 0, 200, 0}},
                                          {Align::Top, {0, 0, 0, 40}}});
  EXPECT_EQ(placed[0], (Rect{10, 10, 100, 35}));
  EXPECT_EQ(placed[1], (Rect{10, 45, 30, 15}));
  EXPECT_EQ(placed[2], (Rect{40, 45, 70, 15})) << "a strip wider than the room gets the room";
  EXPECT_EQ(placed[3], (Rect{40, 45, 0, 15})) << "nothing is left for a late strip";
}

}  // namespace
}  // namespace corvane::gui
