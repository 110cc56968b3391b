#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>

#include "render/frame_rate_overlay.h"
#include "render/osmesa_render_context.h"
#include "render/renderer.h"
#include "render_fixtures.h"

namespace corvane {
namespace {

using test::FakeCalcer;

class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(context.Init()); }
  TRenderer& Renderer() { return *context.Renderer(); }
  std::string Status() { return std::string(Renderer().GetStatusText()->View()); }
  void ExpectCamera(const double (&camera)[9]) {
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Renderer().GetParam(55 + i), camera[i]) << 55 + i;
  }

  FakeCalcer calcer;
  ManualFrameClock clock;
  OSMesaRenderContext context{calcer, OffscreenSurface{64, 48, true, 0}, clock};
};

TEST_F(RendererTest, KeepsItsOwnParametersClampedAndForwardsTheRest) {
  TRenderer& r = Renderer();
  r.SetParam(64, 9);
  EXPECT_EQ(r.GetParam(64), 6);
  r.SetParam(64, -2.5);  // |value| rounded half to even
  EXPECT_EQ(r.GetParam(64), 2);
  r.SetParam(64, 3.5);
  EXPECT_EQ(r.GetParam(64), 4);
  r.SetParam(64, std::numeric_limits<double>::quiet_NaN());  // as in the figure's counts: none
  EXPECT_EQ(r.GetParam(64), 0);
  r.SetParam(3, -20);
  EXPECT_EQ(r.GetParam(3), 20);

  // The trail restarts only when blur switches on.
  for (const auto& [blur, restart] : {std::pair{10, 1}, {20, 0}, {0, 0}, {0, 0}, {300, 1}}) {
    r.SetParam(69, blur);
    EXPECT_EQ(r.State().MotionBlurRestart, restart) << blur;
  }
  EXPECT_EQ(r.GetParam(69), 255);

  r.SetParam(65, 1.7);
  r.SetParam(66, 0.5);
  r.SetParam(67, std::numeric_limits<double>::quiet_NaN());  // a binary registry value can hold one
  r.SetParam(68, -0.5);
  uint8_t red, green, blue, alpha;
  r.GetBackgroundColor(red, green, blue, alpha);
  EXPECT_EQ(red, 255);
  EXPECT_EQ(green, 128);  // 127.5 rounds to even
  EXPECT_EQ(blue, 0);
  EXPECT_EQ(alpha, 0);
  EXPECT_EQ(r.GetParam(65), 1.7);  // stored as given

  for (int number : {1, 2, 4, 45, 54}) r.SetParam(number, number * 10.0);
  EXPECT_EQ(calcer.params.size(), 5u);
  EXPECT_EQ(r.GetParam(54), 540);
  EXPECT_EQ(calcer.params.count(3), 0u);
  EXPECT_EQ(calcer.params.count(64), 0u);
}

TEST(RendererNoAlpha, BlendingFallsToOneOnAContextWithoutAlphaBits) {
  // MaxBlending is process-wide and never rises again: keep it in a child,
  // started afresh because the driver's threads do not survive a fork.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        FakeCalcer calcer;
        OSMesaRenderContext context(calcer, OffscreenSurface{16, 16, false, 0});
        bool ok = context.Init() && MaxBlending() == 1;
        context.Renderer()->SetParam(64, 5);
        ok = ok && context.Renderer()->GetParam(64) == 1;
        context.Renderer()->SetParam(64, 0);
        ok = ok && context.Renderer()->GetParam(64) == 0;
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(RendererTest, StepTurnsElapsedTimeIntoTicks) {
  TRenderer& r = Renderer();
  test::Scene scene;
  for (int i = 0; i < 5; ++i) scene.Add(1 + i % 2, -i, 0);
  calcer.geometry = scene.Result();

  // Less than half a tick: sleep for the elapsed time, no tick, no frame.
  clock.Advance(6.6);
  r.Step();
  EXPECT_TRUE(calcer.ticks.empty());
  EXPECT_TRUE(calcer.fetched.empty());
  EXPECT_EQ(clock.Slept(), 7);
  EXPECT_EQ(r.State().FrameCount, 0u);

  // LastTickTime is 0, the clock 13.6: one tick.
  r.Step();
  ASSERT_EQ(calcer.ticks.size(), 1u);
  EXPECT_EQ(calcer.ticks[0], 1u);
  EXPECT_EQ(r.State().LastTickTime, 14);
  EXPECT_EQ(r.State().StatusText.View(), "Rep : 1  Tr : 40");

  // A stall of 2000 ms: 143 ticks are due, 100 are sent, the rest dropped.
  clock.Advance(2000);
  r.Step();
  EXPECT_EQ(calcer.ticks.back(), 100u);
  EXPECT_EQ(r.State().LastTickTime, 14 + 2002);
  EXPECT_EQ(calcer.fetched.size(), 2u);
  EXPECT_EQ(Status(), "FPS : 2  Rep : Overload  Tr : 40");
  EXPECT_EQ(Status(), "FPS : 0  Rep : Overload  Tr : 40");
}

// The overlay's text lives on the drawing thread: the rate over each second
// of drawn frames and the preset's name, drawn white in the top-left corner.
TEST_F(RendererTest, FrameRateOverlayMeasuresEachSecondAndDrawsInTheTopLeftCorner) {
  EXPECT_EQ(FrameRateText(12.345, ""), "12.3 fps");
  EXPECT_EQ(OverlayGlyph('\xE9'), OverlayGlyph('?'));
  // White pixels inside (or outside) the top band of `rows` rows, right of the margin.
  auto whitePixels = [](const PixelBlock& frame, bool inCorner, int rows = 16) {
    int count = 0;
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        const uint8_t* p = &frame.pixels[3 * size_t(y * frame.width + x)];
        const bool corner = x >= 4 && y >= frame.height - rows;
        count += corner == inCorner && p[0] == 255 && p[1] == 255 && p[2] == 255;
      }
    return count;
  };
  TRenderer& r = Renderer();
  r.SetParam(3, 10);
  r.SetPresetName("Galaxy");
  EXPECT_EQ(r.OverlayText(), "");
  r.ShowFrameRate(true);
  EXPECT_EQ(r.OverlayText(), "-- fps  Galaxy");
  for (int frame = 0; frame < 40; ++frame) {
    clock.Advance(25);
    r.Step();
  }
  EXPECT_EQ(r.OverlayText(), "40.0 fps  Galaxy");
  r.SetPresetName("Jade Ribbon");
  EXPECT_EQ(r.OverlayText(), "40.0 fps  Jade Ribbon");
  const PixelBlock shown = r.GetPixels();
  EXPECT_GT(whitePixels(shown, true), 40);
  EXPECT_EQ(whitePixels(shown, false), 0);

  // On a monitor of 192 dpi every bit of a glyph is a square of two by two.
  const uint8_t bottomLeftBit[kOverlayGlyphHeight] = {0x80};
  std::vector<uint8_t> twice(2 * 2 * kOverlayGlyphHeight);
  twice[0] = twice[2] = 0xC0;
  EXPECT_EQ(ScaledGlyph(bottomLeftBit, 2), twice);
  EXPECT_EQ(OverlayScaleFor(120), 1);
  EXPECT_EQ(OverlayScaleFor(192), 2);
  r.SetViews({.windowWidth = 64, .windowHeight = 48, .views = {{0, 0, 64, 48}}, .dpi = 192}, 45, 1, 100000);
  r.Step();
  const PixelBlock large = r.GetPixels();
  EXPECT_GT(whitePixels(large, false, 16), 0) << "the text reaches below the small font's band";
  EXPECT_EQ(whitePixels(large, false, 32), 0);

  r.ShowFrameRate(false);
  EXPECT_EQ(r.OverlayText(), "");
  EXPECT_EQ(whitePixels(r.GetPixels(), true), 0);
}

TEST_F(RendererTest, ZeroTickLengthAndFrozenTime) {
  TRenderer& r = Renderer();
  r.SetParam(3, 0);
  clock.Advance(5);
  r.Step();
  r.Step();
  EXPECT_EQ(calcer.ticks, (std::vector<uint32_t>{0, 0}));
  EXPECT_EQ(r.State().LastTickTime, 5);
  EXPECT_EQ(r.State().StatusText.View(), "Rep : Overload  Tr : 0");

  r.SetParam(3, 14);
  r.SetTimeFrozen(true);
  clock.Advance(28);
  r.Step();
  EXPECT_EQ(calcer.ticks.size(), 2u);  // no tick sent, but a frame drawn
  EXPECT_EQ(calcer.fetched.size(), 3u);
  EXPECT_EQ(r.State().StatusText.View(), "Rep : 2  Tr : 0");
}

TEST_F(RendererTest, AHugeTickLengthSleepsInShortSlices) {
  TRenderer& r = Renderer();
  r.SetParam(3, 1e9);
  // An hour since the clock's start, far less than half a tick: the frame
  // step waits, but never so long that a command would go unanswered.
  clock.Advance(3.6e6);
  r.Step();
  r.Step();
  EXPECT_GT(clock.Slept(), 0);
  EXPECT_LE(clock.Slept(), 2 * kMaxFrameStepSleepMs);
  EXPECT_TRUE(calcer.fetched.empty());
}

TEST_F(RendererTest, StateSurvivesARebuildOfTheRenderer) {
  test::Scene scene;
  scene.Add(2, -1, 0);
  calcer.geometry = scene.Result();
  clock.Advance(14);
  Renderer().Step();
  Renderer().Translate(10, -20, 30);
  Renderer().SetParam(64, 0);
  const RenderState before = Renderer().State();

  context.Done();
  EXPECT_EQ(context.Renderer(), nullptr);
  EXPECT_EQ(context.State().FrameCount, 1u);
  ASSERT_TRUE(context.Init());
  EXPECT_EQ(Status(), "FPS : 1  Rep : 1  Tr : 8");
  EXPECT_EQ(Renderer().GetParam(64), 0);
  double now[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, now);
  for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(now[i], before.ModelView[i]) << i;
}

TEST_F(RendererTest, CaptureViewRecoversTheCamera) {
  TRenderer& r = Renderer();
  r.LookAt(1800, 1800, 1800, 0, 0, 0, -4082, 8165, -4082);
  r.CaptureView();
  ExpectCamera({1800, 1800, 1800, 0, 0, 0, -4082, 8165, -4082});

  // A move in eye coordinates: 100 units towards the centre.
  r.Translate(0, 0, 100);
  r.CaptureView();
  double step = std::round(100 / std::sqrt(3.0));
  EXPECT_EQ(r.GetParam(55), 1800 - step);
  EXPECT_EQ(r.GetParam(58), -step);

  // Up along the line of sight makes the view singular: the camera stays.
  r.LookAt(100, 0, 0, 0, 0, 0, 1, 0, 0);
  EXPECT_NO_THROW(r.CaptureView());
  ExpectCamera({100, 0, 0, 0, 0, 0, 1, 0, 0});
}

TEST_F(RendererTest, ViewportArmsTheTrailAndLeavesMovesOnTheModelView) {
  TRenderer& r = Renderer();
  r.SetViewport(0, 0, 40, -3, 45, 1, 1, 100000);
  PixelBlock empty = r.GetPixels();
  EXPECT_EQ(empty.width, 40);
  EXPECT_EQ(empty.height, 0);
  EXPECT_EQ(r.State().MotionBlurRestart, 1);

  r.SetViewport(0, 0, 64, 48, 45, 64.0 / 48, 1, 100000);
  double projection[16], after[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  r.Translate(1, 2, 3);
  r.Rotate(10, 20, 30);
  glGetDoublev(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], projection[i]) << i;
  EXPECT_NE(r.State().ModelView[12], 0);
}

TEST_F(RendererTest, EveryFrameAsksForGeometryFromTheCameraOfThatMoment) {
  TRenderer& r = Renderer();
  r.SetParam(3, 0);  // a frame at every step
  // Column-major model-view matrices, worked out by hand.
  auto looking = [](double z) {
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -z, 1};
    return m;
  };
  const std::array<double, 16> moved{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, -20, -2470, 1};
  // A quarter turn about y in eye coordinates: x' = z, z' = -x.
  const std::array<double, 16> turned{0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, -2470, -20, -10, 1};
  const std::pair<std::function<void()>, std::array<double, 16>> steps[] = {
      {[&] { r.LookAt(0, 0, 2500, 0, 0, 0, 0, 1, 0); }, looking(2500)},
      {[&] { r.Translate(10, -20, 30); }, moved},
      {[&] { r.Rotate(0, 90, 0); }, turned},
      {[&] { r.SetParam(57, 1000); }, looking(1000)},  // the stored camera with a new eye z
  };
  for (const auto& [change, expected] : steps) {
    change();
    r.Step();
    ASSERT_FALSE(calcer.cameras.empty());
    for (int i = 0; i < 16; ++i)  // the driver keeps single-precision matrices
      EXPECT_NEAR(calcer.cameras.back()[i], expected[i], 1e-3) << calcer.cameras.size() << " " << i;
  }
  EXPECT_EQ(calcer.cameras.size(), 4u);
}

}  // namespace
}  // namespace corvane
