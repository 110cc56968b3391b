#include "render/wgl_render_context.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "render_fixtures.h"
#include "os/exception.h"
#include "plain_window_render.h"
#include "render/gl_error.h"
#include "render/gl_libraries_win32.h"
#include "render/renderer_to_pbuffer.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

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

TEST(WindowRenderChoice, ARefusedPixelBufferFallsBackToThePlainRendererWithOneRecord) {
  test::ScopedErrorLog log;
  test::TestWindow window(kWidth, kHeight);
  test::FakeCalcer calcer;
  std::vector<std::pair<int, int>> asked;
  const ScopedPbufferCreator refuse([&](HDC, int, int width, int height, const int*) -> HPBUFFERARB {
    asked.emplace_back(width, height);
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return nullptr;
  });
  TRender render(calcer);
  ASSERT_TRUE(render.Init(window.Handle()));
  if (asked.empty()) GTEST_SKIP() << "driver has no pbuffers";
  const std::vector<std::pair<int, int>> virtualScreen{
      {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}};
  EXPECT_EQ(asked, virtualScreen);
  EXPECT_EQ(dynamic_cast<TRendererToPBuffer*>(render.Renderer()), nullptr);
  render.Renderer()->Repaint();  // the plain renderer draws
  render.Done();

  const std::string records = log.Contents();
  EXPECT_EQ(Occurrences(records, "Handler     :  TRendererToPBuffer"), 1u) << records;
  EXPECT_EQ(Occurrences(records, "Handler"), 1u) << records;
  EXPECT_NE(records.find("ErrorCode :  1450"), std::string::npos) << records;
}

// An error on the window's context, met while an operation works there,
// must leave the pixel buffer's context current for the next operation.
TEST(OffScreenRenderer, AnErrorOnTheWindowsContextLeavesThePixelBufferCurrent) {
  test::ScopedErrorLog log;
  test::TestWindow window(kWidth, kHeight);
  test::FakeCalcer calcer;
  TRender render(calcer);
  ASSERT_TRUE(render.Init(window.Handle()));
  auto* renderer = dynamic_cast<TRendererToPBuffer*>(render.Renderer());
  if (!renderer) GTEST_SKIP() << "driver has no pbuffers";
  const TPixelBuffer& buffer = renderer->PixelBuffer();
  const auto viewport = [&] { renderer->SetViewport(0, 0, kWidth, kHeight, 45, double(kWidth) / kHeight, 1, 100000); };
  viewport();
  const std::pair<const char*, std::function<void()>> operations[] = {
      {"LookAt", [&] { renderer->LookAt(1800, 1800, 1800, 0, 0, 0, -4082, 8165, -4082); }},
      {"SetViewport", viewport},
      {"SwapFrame", [&] { renderer->SwapFrame(0); }},
  };
  for (const auto& [name, operation] : operations) {
    ASSERT_TRUE(wgl::MakeCurrent(render.Window().DC(), render.Window().RC()));
    glEnable(0x7FFF);  // left pending on the window's context
    ASSERT_TRUE(wgl::MakeCurrent(buffer.DC(), buffer.RC()));
    EXPECT_THROW(operation(), EOpenGLError) << name;
    EXPECT_TRUE(buffer.IsCurrent()) << name;
  }
  render.Done();
  EXPECT_EQ(log.Contents(), "");
}

}  // namespace
}  // namespace corvane
