#include "drawer/drawer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <ctime>
#include <filesystem>
#include <regex>
#include <thread>

#include "drawer/calcer_thread.h"
#include "drawer/snapshot.h"
#include "drawer_surface.h"
#include "fake_calc_thread.h"
#include "figure/preset_params.h"
#include "os/clock.h"
#include "os/process.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using test::DrawerSurface;

constexpr int kWidth = DrawerSurface::kWidth;
constexpr int kHeight = DrawerSurface::kHeight;

using RGB = std::array<int, 3>;

RGB PixelAt(const PixelBlock& block, int x, int y) {
  const uint8_t* p = block.pixels.get() + (static_cast<size_t>(y) * block.width + x) * 3;
  return {p[0], p[1], p[2]};
}

int FramesInStatus(const std::string& status) {
  std::smatch match;
  return std::regex_search(status, match, std::regex("^FPS : (\\d+)  ")) ? std::stoi(match[1]) : -1;
}

void OpenOn(TDrawer& drawer, const DrawerSurface& surface) {
  ASSERT_TRUE(drawer.StartGL(surface.Window()));
  drawer.SetViewport(0, 0, kWidth, kHeight, 45, double(kWidth) / kHeight, 1, 100000);
}

// Waits until frames are being drawn; false when none come.
[[nodiscard]] bool FramesDrawn(TDrawer& drawer) {
  return test::WaitUntil([&] { return FramesInStatus(drawer.GetStatusText()) > 0; });
}

// The system clock an hour ahead of a fresh renderer state, so that a long
// tick is due only far in the future. It tells when a frame step sleeps, and
// it can leave an OpenGL error pending on the drawing thread at the next
// frame step, as a failed driver call would.
class TestFrameClock : public FrameClock {
 public:
  double Now() override {
    if (breakNextStep_.exchange(false)) glEnable(0x7FFF);  // no such capability
    return MilliClock() + 3.6e6;
  }
  void Sleep(uint32_t milliseconds) override {
    slept_.Set();
    SleepMs(milliseconds);
  }
  void BreakNextStep() { breakNextStep_ = true; }
  [[nodiscard]] bool Slept() { return slept_.Wait(test::kHangLimitMs) == WaitResult::Signalled; }

 private:
  std::atomic<bool> breakNextStep_{false};
  Event slept_{true, false};
};

class DrawerTest : public ::testing::TestWithParam<bool> {
 protected:
  DrawerTest() {
    auto calc = std::make_unique<test::FakeCalcThread>();
    calc_ = calc.get();
    drawer_.reset(new TDrawer(std::move(calc), surface_.Factory()));
    drawer_->Resume();
  }

  bool LogHas(const std::string& text) const { return log_.Contents().find(text) != std::string::npos; }

  test::ScopedErrorLog log_;
  DrawerSurface surface_{GetParam()};
  test::FakeCalcThread* calc_ = nullptr;
  std::unique_ptr<TDrawer> drawer_;
};

TEST_P(DrawerTest, AnswersNeutrallyBeforeStartGLAndForgetsWhatWasSentThenButTheOverlay) {
  EXPECT_EQ(calc_->Priority(), ThreadPriority::Normal);
  drawer_->SetCalcPriority(ThreadPriority::Lower);
  EXPECT_EQ(drawer_->CalcPriority(), ThreadPriority::Lower);

  EXPECT_EQ(drawer_->GetParam(3), 0.0);
  drawer_->SetParam(3, 99);
  drawer_->Repaint();
  drawer_->SetAnimating(true);
  EXPECT_EQ(drawer_->GetStatusText(), "");
  EXPECT_FALSE(drawer_->GetPixels().pixels);
  EXPECT_EQ(drawer_->GetVSync(), 0);
  EXPECT_EQ(drawer_->GetSyncMode(), 0);
  EXPECT_EQ(drawer_->GetBackgroundColor(), BackgroundColor{});
  // The overlay outlives the renderer: the window may start OpenGL anew.
  drawer_->ShowFrameRate(true);
  EXPECT_TRUE(drawer_->StopGL());

  OpenOn(*drawer_, surface_);
  const PixelBlock overlaid = drawer_->GetPixels();
  int white = 0;
  for (int y = kHeight - 14; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) white += PixelAt(overlaid, x, y) == RGB{255, 255, 255};
  EXPECT_GT(white, 20) << "\"-- fps\" in the top-left corner";
  EXPECT_EQ(drawer_->GetParam(3), 14.0);
  EXPECT_EQ(drawer_->GetSyncMode(), 2);
  ParamSink& presetSink = *drawer_;
  presetSink.SetParam(3, 20);
  drawer_->SetSyncMode(1);
  EXPECT_EQ(drawer_->GetParam(3), 20.0);
  EXPECT_EQ(drawer_->GetSyncMode(), 1);
  // Not animating: Repaint draws, but no frame step counts.
  drawer_->Repaint();
  EXPECT_EQ(FramesInStatus(drawer_->GetStatusText()), 0);
  EXPECT_EQ(log_.Contents(), "");
}

TEST_P(DrawerTest, ShowsTheFigureInItsColoursOverTheBackgroundAndSavesItOncePerSecond) {
  OpenOn(*drawer_, surface_);
  drawer_->SetBackgroundColor({0, 0, 255, 255});
  EXPECT_EQ(drawer_->GetBackgroundColor(), (BackgroundColor{0, 0, 255, 255}));
  drawer_->SetAnimating(true);
  ASSERT_TRUE(FramesDrawn(*drawer_));
  const PixelBlock block = drawer_->GetPixels();
  ASSERT_EQ(block.width, kWidth);
  ASSERT_EQ(block.height, kHeight);
  EXPECT_EQ(PixelAt(block, kWidth / 2, kHeight / 2), (RGB{255, 0, 0}));
  EXPECT_EQ(PixelAt(block, 1, 1), (RGB{0, 0, 255}));
  EXPECT_EQ(PixelAt(block, kWidth - 2, kHeight - 2), (RGB{0, 0, 255}));

  // Snapshots: two within one second give one file, and it is the picture.
  drawer_->SetAnimating(false);
  drawer_->Repaint();
  test::TempDir dir;
  const std::string folder = dir.File("ScreenShots") + std::string(1, PathSeparator());
  std::string first, second;
  for (;;) {  // both within one wall-clock second
    const std::time_t before = std::time(nullptr);
    first = drawer_->SaveSnapshot(folder);
    second = drawer_->SaveSnapshot(folder);
    if (std::time(nullptr) == before) break;
    std::filesystem::remove_all(std::filesystem::path(folder));
  }
  ASSERT_FALSE(first.empty());
  EXPECT_TRUE(second.empty());
  EXPECT_TRUE(std::regex_match(first.substr(folder.size()),
                               std::regex("_ScreenShot_\\d\\d-\\d\\d-\\d{4}_\\d\\d-\\d\\d-\\d\\d_\\.bmp")))
      << first;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  const std::vector<uint8_t> expected = EncodeBmp(drawer_->GetPixels());
  EXPECT_EQ(test::ReadWholeFile(first), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(log_.Contents(), "");
}

TEST_P(DrawerTest, StartsAnimatesPausesRepaintsAndStopsManyTimesWhileParametersArrive) {
  std::atomic<bool> sending{true};
  std::thread sender([&] {
    for (int i = 0; sending; ++i) {
      drawer_->SetParam(64, i % 2);
      drawer_->SetParam(69, i % 3 * 60);
      drawer_->Rotate(1, 0, 0);
      if (i % 50 == 0) drawer_->Restart();
      SleepMs(1);
    }
  });
#if defined(_WIN32)
  constexpr int kRounds = 4;
#else
  constexpr int kRounds = 25;
#endif
  for (int round = 0; round < kRounds; ++round) {
    OpenOn(*drawer_, surface_);
    drawer_->SetAnimating(true);
    ASSERT_TRUE(FramesDrawn(*drawer_)) << round;
    drawer_->SetAnimating(false);
    drawer_->GetStatusText();
    drawer_->Repaint();
    EXPECT_EQ(FramesInStatus(drawer_->GetStatusText()), 0) << "a frame step while paused";
    EXPECT_TRUE(drawer_->GetPixels().pixels);
    EXPECT_TRUE(drawer_->StopGL());
  }
  sending = false;
  sender.join();
  EXPECT_FALSE(drawer_->Finished());
  EXPECT_EQ(log_.Contents(), "");
}

TEST_P(DrawerTest, SecondStartGLEndsTheThreadWithALoggedError) {
  OpenOn(*drawer_, surface_);
  EXPECT_FALSE(drawer_->StartGL(surface_.Window()));
  EXPECT_TRUE(drawer_->Finished());
  EXPECT_TRUE(LogHas("Handler     :  TDrawer\r\nException   :  EDrawerError\r\n"));
  EXPECT_TRUE(LogHas("Message     :  GL already started."));
  EXPECT_EQ(drawer_->GetParam(3), 0.0);
  EXPECT_TRUE(calc_->Stopped());
}

// Natively there is one renderer on the OSMesa buffer; Windows has both.
#if defined(_WIN32)
const bool kOffScreen[] = {false, true};
#else
const bool kOffScreen[] = {true};
#endif
INSTANTIATE_TEST_SUITE_P(Renderers, DrawerTest, ::testing::ValuesIn(kOffScreen),
                         [](const auto& info) { return info.param ? "OffScreen" : "Plain"; });

TEST(DrawerFailures, UnknownCommandEndsTheThreadAndReleasesBlockedSenders) {
  test::ScopedErrorLog log;
  DrawerSurface surface;
  std::unique_ptr<TDrawer> drawer(new TDrawer(std::make_unique<test::FakeCalcThread>(), surface.Factory()));
  // Queued before the thread runs, so that the senders wait behind it.
  drawer->Queue().PushCommand(drawer_command::Last + 1, NoRetData, nullptr);
  double param = -1;
  bool started = true;
  std::thread waitingForParam([&] { param = drawer->GetParam(3); });
  std::thread waitingForStart([&] { started = drawer->StartGL(surface.Window()); });
  SleepMs(100);  // lets both senders block in their waits
  drawer->Resume();
  waitingForParam.join();
  waitingForStart.join();
  EXPECT_EQ(param, 0.0);
  EXPECT_FALSE(started);
  EXPECT_NE(log.Contents().find("Message     :  Wrong CommandID : " + std::to_string(drawer_command::Last + 1)), std::string::npos) << log.Contents();
}

TEST(DrawerFailures, AHugeTickLengthLeavesCommandsAnswered) {
  test::ScopedErrorLog log;
  DrawerSurface surface(false);
  auto clock = std::make_shared<TestFrameClock>();
  std::unique_ptr<TDrawer> drawer(new TDrawer(std::make_unique<test::FakeCalcThread>(), surface.Factory(clock)));
  drawer->Resume();
  OpenOn(*drawer, surface);
  drawer->SetParam(3, 1e9);
  drawer->SetAnimating(true);
  ASSERT_TRUE(clock->Slept()) << "no frame step waited for the next tick";
  auto answered = std::make_shared<std::atomic<bool>>(false);
  ASSERT_TRUE(test::EndsWithin(test::kHangLimitMs, [drawer = std::move(drawer), answered]() mutable {
    *answered = drawer->GetParam(3) == 1e9 && drawer->StopGL();
    drawer.reset();
  })) << "the drawing thread did not answer while waiting for a tick";
  EXPECT_TRUE(*answered);
  EXPECT_EQ(log.Contents(), "");
}

// The whole road of a frame: drawing thread, calculation thread, makers and
// renderer, driven by the default preset.
TEST(DrawerWithCalcer, DrawsTheDefaultPresetAndStopsCleanly) {
  test::ScopedErrorLog log;
  DrawerSurface surface;
  std::unique_ptr<TDrawer> drawer(new TDrawer(std::make_unique<CalcerThread>(), surface.Factory()));
  drawer->Resume();
  for (int round = 0; round < 3; ++round) {
    OpenOn(*drawer, surface);
    const TPresetParams preset = TPresetParams::Defaults();
    ParamSink& sink = *drawer;
    for (int number = 1; number <= kParamCount; ++number) sink.SetParam(number, preset.GetValue(number));
    EXPECT_EQ(drawer->GetParam(1), preset.GetValue(1));  // kept by the calculation thread
    drawer->SetAnimating(true);
    // The figure grows from nothing after a restart: wait until it shows.
    const auto lit = [&] {
      const PixelBlock block = drawer->GetPixels();
      const size_t size = size_t(block.width) * size_t(block.height) * 3;
      return block.pixels && std::any_of(block.pixels.get(), block.pixels.get() + size, [](uint8_t v) { return v; });
    };
    ASSERT_TRUE(test::WaitUntil(lit)) << round;
    // The picture can show the geometry kept from the previous round before
    // the first frame step of this one: wait for that step too.
    ASSERT_TRUE(FramesDrawn(*drawer)) << round;
    drawer->Restart();
    EXPECT_TRUE(drawer->StopGL());
  }
  drawer.reset();
  EXPECT_EQ(log.Contents(), "");
}

// A frame step that raises ends the drawing thread with a record of its own,
// and the make it had requested is still collected, so that the calculation
// thread ends too.
TEST(DrawerWithCalcer, AFailedFrameStepIsLoggedAndTeardownEnds) {
  test::ScopedErrorLog log;
  DrawerSurface surface(false);
  auto clock = std::make_shared<TestFrameClock>();
  std::unique_ptr<TDrawer> drawer(new TDrawer(std::make_unique<CalcerThread>(), surface.Factory(clock)));
  drawer->Resume();
  OpenOn(*drawer, surface);
  drawer->SetAnimating(true);
  ASSERT_TRUE(FramesDrawn(*drawer));
  clock->BreakNextStep();
  ASSERT_TRUE(test::WaitUntil([&] { return drawer->Finished(); })) << "the OpenGL error did not end the thread";
  ASSERT_TRUE(test::EndsWithin(test::kHangLimitMs, [drawer = std::move(drawer)]() mutable { drawer.reset(); }))
      << "the threads did not end";
  const std::string text = log.Contents();
  EXPECT_NE(text.find("Handler     :  TDrawer\r\nException   :  EOpenGLError\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("ErrorCode: 1280"), std::string::npos) << text;
  EXPECT_EQ(text.find("TCalcer"), std::string::npos) << text;
}

}  // namespace
}  // namespace corvane
