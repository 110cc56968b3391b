#include <gtest/gtest.h>

#include "render/osmesa_render_context.h"
#include "render/renderer.h"
#include "fake_calcer.h"

namespace corvane {
namespace {

using test::FakeCalcer;

class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(context.Init()); }
  TRenderer& Renderer() { return *context.Renderer(); }

  FakeCalcer calcer;
  ManualFrameClock clock;
  OSMesaRenderContext context{calcer, OffscreenSurface{64, 48, true, 16}, clock};
};

TEST_F(RendererTest, StartsFromTheTemplate) {
  EXPECT_EQ(Renderer().GetStatusText()->View(), "FPS : 0  ");
  EXPECT_EQ(Renderer().GetParam(3), 14);
  EXPECT_EQ(Renderer().GetParam(64), 1);
}

}  // namespace
}  // namespace corvane
