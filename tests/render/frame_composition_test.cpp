#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "render/osmesa_render_context.h"
#include "render/renderer.h"
#include "render_fixtures.h"

namespace corvane {
namespace {

using test::FakeCalcer;
using test::Scene;

// Draw calls seen through the loader's entry point: the index count and
// the x of each octahedron's first vertex.
struct DrawCall {
  GLsizei count;
  std::vector<float> firstX;
};
std::vector<DrawCall> g_calls;
PFNGLDRAWELEMENTSPROC g_realDrawElements;
int g_accumCalls;
PFNGLACCUMPROC g_realAccum;

void GLAD_API_PTR RecordDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  void* pointer = nullptr;
  glGetPointerv(GL_VERTEX_ARRAY_POINTER, &pointer);
  DrawCall call{count, {}};
  for (GLsizei k = 0; k < count / kIndicesPerOctahedron; ++k)
    call.firstX.push_back(static_cast<const float*>(pointer)[k * kVerticesPerOctahedron * 3]);
  g_calls.push_back(call);
  g_realDrawElements(mode, count, type, indices);
}

void GLAD_API_PTR CountAccum(GLenum op, GLfloat value) {
  ++g_accumCalls;
  g_realAccum(op, value);
}

class FrameTest : public ::testing::TestWithParam<int> {
 protected:
  static constexpr int kWidth = 64, kHeight = 48;

  void SetUp() override {
    ASSERT_TRUE(context.Init());
    g_realDrawElements = glad_glDrawElements;
    glad_glDrawElements = RecordDrawElements;
    g_realAccum = glad_glAccum;
    glad_glAccum = CountAccum;
    g_calls.clear();
    g_accumCalls = 0;
    Renderer().SetViewport(0, 0, kWidth, kHeight, 45, double{kWidth} / kHeight, 1, 100000);
    Renderer().LookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
  }
  void TearDown() override {
    glad_glDrawElements = g_realDrawElements;
    glad_glAccum = g_realAccum;
  }

  TRenderer& Renderer() { return *context.Renderer(); }
  // One frame step that fetches the scene (and draws what it had before).
  void Fetch(const Scene& scene) {
    calcer.geometry = scene.Result();
    clock.Advance(14);
    Renderer().Step();
    g_calls.clear();
  }
  void Draw(const Scene& scene) {
    Fetch(scene);
    Renderer().Repaint();
  }
  const uint8_t* Pixel(int x, int y) const { return &context.Buffer()[(static_cast<size_t>(y) * kWidth + x) * 4]; }
  const uint8_t* Centre() const { return Pixel(kWidth / 2, kHeight / 2); }
  void ExpectEverywhere(const uint8_t (&rgb)[3], int tolerance = 0) const {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        for (int c = 0; c < 3; ++c) ASSERT_NEAR(Pixel(x, y)[c], rgb[c], tolerance) << x << "," << y << " channel " << c;
  }
  // The centre of the box around the pixels of columns [left, right) that
  // are neither black nor `background`; {-1, -1} when there are none.
  std::pair<double, double> FigureCentre(int left, int right, const uint8_t (&background)[3]) const {
    int x0 = kWidth, x1 = -1, y0 = kHeight, y1 = -1;
    for (int y = 0; y < kHeight; ++y)
      for (int x = left; x < right; ++x) {
        const uint8_t* p = Pixel(x, y);
        if (std::equal(p, p + 3, background) || (p[0] | p[1] | p[2]) == 0) continue;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
    if (x1 < 0) return {-1, -1};
    return {(x0 + x1 + 1) / 2.0, (y0 + y1 + 1) / 2.0};
  }
  std::vector<float> DrawOrder() const {
    std::vector<float> order;
    for (const DrawCall& call : g_calls) order.insert(order.end(), call.firstX.begin(), call.firstX.end());
    return order;
  }

  FakeCalcer calcer;
  ManualFrameClock clock;
  OSMesaRenderContext context{calcer, OffscreenSurface{kWidth, kHeight, true, GetParam()}, clock};
};

INSTANTIATE_TEST_SUITE_P(AccumulationBits, FrameTest, ::testing::Values(16, 0));

TEST_P(FrameTest, OctahedraGoInBatchesOf64AndEmptyListsDrawNothing) {
  Renderer().SetBackgroundColor(30, 60, 90, 255);
  Draw(Scene{});
  EXPECT_TRUE(g_calls.empty());
  ExpectEverywhere({30, 60, 90});

  Scene scene;
  for (int i = 0; i < 40; ++i) scene.Add(1, -i, static_cast<float>(i));
  for (int i = 0; i < 25; ++i) scene.Add(2, -i, static_cast<float>(100 + i));
  Draw(scene);
  ASSERT_EQ(g_calls.size(), 2u);
  EXPECT_EQ(g_calls[0].count, 1536);
  EXPECT_EQ(g_calls[1].count, 24);
  std::vector<float> order = DrawOrder();
  std::sort(order.begin(), order.end());
  EXPECT_EQ(std::unique(order.begin(), order.end()), order.end());  // every record once
  EXPECT_EQ(order.size(), 65u);
}

TEST_P(FrameTest, MergesBothListsByKeyInTheModesDirection) {
  const Scene equal{{1, 5, 1}, {1, 5, 2}, {2, 5, 3}};
  // A maker's order puts a key of 0 (a point at the eye) first, while the
  // merge compares signed keys.
  const Scene eye{{1, 0, 1}, {1, -1000, 2}, {1, -5, 3}, {2, -800, 4}};
  const struct {
    const Scene& scene;
    int mode;
    std::vector<float> order;
  } cases[] = {{equal, 1, {1, 2, 3}}, {equal, 3, {3, 2, 1}}, {equal, 5, {3, 2, 1}},
               {eye, 1, {4, 1, 2, 3}}, {eye, 3, {3, 4, 2, 1}}};
  for (const auto& c : cases) {
    Renderer().SetParam(64, c.mode);
    Draw(c.scene);
    EXPECT_EQ(DrawOrder(), c.order) << "mode " << c.mode;
  }
}

// The blend factor `factor` for one channel (alpha: channel 3).
double Factor(GLenum factor, const double* src, const double* dst, int channel) {
  switch (factor) {
    case GL_ONE: return 1;
    case GL_SRC_ALPHA: return src[3];
    case GL_ONE_MINUS_SRC_ALPHA: return 1 - src[3];
    case GL_DST_ALPHA: return dst[3];
    case GL_ONE_MINUS_DST_ALPHA: return 1 - dst[3];
    case GL_SRC_ALPHA_SATURATE: return channel == 3 ? 1 : std::min(src[3], 1 - dst[3]);
  }
  ADD_FAILURE() << "factor " << factor;
  return 0;
}

TEST_P(FrameTest, EachBlendingModeComposesOverTheBackground) {
  const GLenum modes[7][2] = {{GL_SRC_ALPHA, GL_ONE},
                              {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
                              {GL_SRC_ALPHA, GL_ONE_MINUS_DST_ALPHA},
                              {GL_SRC_ALPHA_SATURATE, GL_ONE},
                              {GL_SRC_ALPHA_SATURATE, GL_ONE_MINUS_SRC_ALPHA},
                              {GL_SRC_ALPHA_SATURATE, GL_DST_ALPHA},
                              {GL_SRC_ALPHA_SATURATE, GL_ONE_MINUS_DST_ALPHA}};
  const uint8_t background[4] = {40, 80, 120, 100};
  const uint8_t color[4] = {200, 100, 50, 150};
  double src[4], dst[4];
  for (int c = 0; c < 4; ++c) {
    src[c] = color[c] / 255.0;
    dst[c] = background[c] / 255.0;
  }
  Scene one;
  one.Add(1, -10, 4, 4, color);  // an octahedron of radius 4 around the origin
  Renderer().SetBackgroundColor(background[0], background[1], background[2], background[3]);
  for (int index = 0; index < 7; ++index) {
    Renderer().SetParam(64, index);
    Draw(one);
    for (int c = 0; c < 4; ++c) {
      double expected = src[c] * Factor(modes[index][0], src, dst, c) + dst[c] * Factor(modes[index][1], src, dst, c);
      EXPECT_NEAR(Centre()[c], 255 * std::min(expected, 1.0), 1.5) << "mode " << index << " channel " << c;
    }
  }
}

TEST_P(FrameTest, MotionBlurLoadsFirstThenBlendsAndRestartsAfterAResize) {
  Scene figure;
  figure.Add(1, -10, 4, 4);
  Draw(figure);
  Renderer().SetParam(69, 128);
  Renderer().Repaint();  // first frame with blur: loaded, shown as drawn
  EXPECT_EQ(Centre()[0], 255);
  Fetch(Scene{});  // the figure once more, blended over itself
  EXPECT_EQ(Centre()[0], 255);
  const double k = 0.99 * std::sqrt(128 / 255.0);
  Renderer().Repaint();
  EXPECT_NEAR(Centre()[0], 255 * k, 1);
  Renderer().Repaint();
  EXPECT_NEAR(Centre()[0], 255 * k * k, 1);
  EXPECT_EQ(Pixel(0, 0)[0], 0);

  Renderer().SetViewport(0, 0, kWidth, kHeight, 45, double{kWidth} / kHeight, 1, 100000);
  Renderer().Repaint();  // the trail starts again from this frame
  EXPECT_EQ(Centre()[0], 0);
  EXPECT_EQ(g_accumCalls > 0, GetParam() > 0);  // the accumulation buffer where there is one
}

TEST_P(FrameTest, StrongestTrailFadesToTheBackground) {
  Renderer().SetBackgroundColor(30, 60, 90, 255);
  Scene figure;
  figure.Add(1, -10, 4, 4);
  Draw(figure);
  Renderer().SetParam(69, 255);
  Renderer().Repaint();
  Fetch(Scene{});
  for (int frame = 0; frame < 800; ++frame) Renderer().Repaint();
  // The in-memory trail fades exactly; a 16-bit accumulation buffer
  // settles within one colour level, by its own rounding.
  ExpectEverywhere({30, 60, 90}, GetParam() > 0 ? 1 : 0);
}

// Two monitors side by side as halves of the window; the second of another
// shape in the last case.
TEST_P(FrameTest, TheFigureIsCopiedCentredIntoEachViewAndBlackFillsTheRest) {
  const uint8_t background[3] = {30, 60, 90};
  Renderer().SetBackgroundColor(30, 60, 90, 255);
  Scene figure;
  figure.Add(1, -10, 1, 1);  // radius 1 around the origin: small in a half
  using Centre = std::pair<double, double>;
  const struct {
    const char* name;
    std::vector<ViewRect> views;
    Centre second;  // where the figure's copy is, {-1, -1} for none
    ViewRect black;  // a part of the second half that stays black
  } cases[] = {{"each monitor", {{0, 0, 32, 48}, {32, 0, 32, 48}}, {48, 24}, {}},
               {"primary only", {{0, 0, 32, 48}}, {-1, -1}, {32, 0, 32, 48}},
               {"a wide second", {{0, 0, 32, 48}, {32, 0, 32, 24}}, {48, 12}, {32, 24, 32, 24}}};
  for (const auto& c : cases) {
    Renderer().SetViews({kWidth, kHeight, c.views}, 45, 1, 100000);
    Draw(figure);
    const Centre first = FigureCentre(0, 32, background), second = FigureCentre(32, 64, background);
    EXPECT_NEAR(first.first, 16, 1) << c.name;
    EXPECT_NEAR(first.second, 24, 1) << c.name;
    EXPECT_NEAR(second.first, c.second.first, 1) << c.name;
    EXPECT_NEAR(second.second, c.second.second, 1) << c.name;
    for (int y = c.black.y; y < c.black.y + c.black.height; ++y)
      for (int x = c.black.x; x < c.black.x + c.black.width; ++x)
        ASSERT_EQ(Pixel(x, y)[0] | Pixel(x, y)[1] | Pixel(x, y)[2], 0) << c.name << " at " << x << "," << y;
  }
}

}  // namespace
}  // namespace corvane
