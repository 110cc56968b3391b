#include "render/wgl_render_context.h"

#include <gtest/gtest.h>

#include "render_fixtures.h"
#include "os/exception.h"
#include "plain_window_render.h"
#include "render/gl_libraries_win32.h"
#include "render/renderer_to_pbuffer.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

class WindowRender : public ::testing::TestWithParam<bool> {
 protected:
  WindowRender() {
    render_ = OffScreen() ? std::make_unique<TRender>(calcer_, WindowRenderers::OffScreenFirst, clock_)
                          : std::make_unique<test::RenderWithoutPbuffers>(calcer_, WindowRenderers::OffScreenFirst,
                                                                          clock_);
  }
  bool OffScreen() const { return GetParam(); }

  void Open() {
    ASSERT_TRUE(render_->Init(window_.Handle()));
    TRenderer& renderer = *render_->Renderer();
    EXPECT_EQ(dynamic_cast<TRendererToPBuffer*>(&renderer) != nullptr, OffScreen());
    renderer.SetViewport(0, 0, kWidth, kHeight, 45, double(kWidth) / kHeight, 1, 100000);
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      clock_.Advance(render_->Renderer()->GetParam(3));  // one tick a frame
      render_->Renderer()->Step();
    }
  }

  test::ScopedErrorLog log_;
  test::TestWindow window_{kWidth, kHeight};
  test::FakeCalcer calcer_;
  ManualFrameClock clock_;
  std::unique_ptr<TRender> render_;
};

TEST_P(WindowRender, InitDoneInitContinuesCameraParametersVSyncAndFrameCount) {
  Open();
  TRenderer& first = *render_->Renderer();
  first.SetParam(55, 2500);
  first.SetParam(69, 40);
  first.SetParam(3, 20);
  first.SetVSync(2);
  EXPECT_EQ(first.GetVSync(), 2);
  Frames(3);
  render_->Done();
  EXPECT_EQ(render_->Renderer(), nullptr);
  EXPECT_EQ(render_->State().FrameCount, 3u);
  EXPECT_EQ(render_->State().VSyncState, 2);

  Open();
  TRenderer& second = *render_->Renderer();
  EXPECT_EQ(second.GetParam(55), 2500);
  EXPECT_EQ(second.GetParam(69), 40);
  EXPECT_EQ(second.GetParam(3), 20);
  EXPECT_EQ(second.GetVSync(), 2);
  second.SetVSync(1);
  EXPECT_EQ(second.GetVSync(), 1);
  EXPECT_EQ(second.GetStatusText()->View().substr(0, 9), "FPS : 3  ");
  render_->Done();
  EXPECT_EQ(log_.Contents(), "");
}

TEST_P(WindowRender, DestructionWithoutDoneReleasesEverythingQuietly) {
  Open();
  Frames(1);
  render_.reset();
  EXPECT_EQ(wgl::GetCurrentContext(), nullptr);
  EXPECT_EQ(log_.Contents(), "");
}

INSTANTIATE_TEST_SUITE_P(Renderers, WindowRender, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "OffScreen" : "Plain"; });

TEST(WindowRenderChoice, PlainOnlyServesWhereAPixelBufferWouldAndAWindowWithoutDCRaises) {
  test::TestWindow window(kWidth, kHeight);
  test::FakeCalcer calcer;
  TRender render(calcer, WindowRenderers::PlainOnly);
  ASSERT_TRUE(render.Init(window.Handle()));
  EXPECT_EQ(dynamic_cast<TRendererToPBuffer*>(render.Renderer()), nullptr);
  render.Done();

  TRender broken(calcer);
  EXPECT_THROW(broken.Init(reinterpret_cast<NativeWindow>(0x7654)), EOSError);
}

}  // namespace
}  // namespace corvane
