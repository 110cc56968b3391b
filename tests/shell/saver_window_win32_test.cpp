// The saver window's procedure, driven in-process with real messages sent to
// a real window. A recorder stands in for the drawing thread. The test never
// serves its queue unfiltered, so the window's own timer and the real pointer
// never reach the procedure: every tick and every mouse event is the test's.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "figure/preset_params.h"
#include "os/random.h"
#include "presets/memory_registry.h"
#include "presets/registry_store.h"
#include "presets/test_registry.h"
#include "shell/saver_window.h"
#include "support/test_window.h"

namespace corvane {
namespace {

struct PictureLog {
  std::vector<std::string> calls;
  std::vector<std::pair<int, double>> params;
  // The calls since the last look.
  std::vector<std::string> Take() { return std::exchange(calls, {}); }
};

class RecordingPicture : public SaverPicture {
 public:
  explicit RecordingPicture(PictureLog& log) : log_(log) {}
  ~RecordingPicture() override { log_.calls.push_back("freed"); }
  void Start(HWND, int width, int height) override {
    log_.calls.push_back("start " + std::to_string(width) + "x" + std::to_string(height));
  }
  void SetLayout(const SaverLayout& layout) override {
    std::string text = "layout";
    for (const SaverViewport& v : layout.viewports)
      text += " " + std::to_string(v.x) + "," + std::to_string(v.y) + " " + std::to_string(v.width) + "x" +
              std::to_string(v.height);
    log_.calls.push_back(text);
  }
  void StopGL() override { log_.calls.push_back("stop GL"); }
  void RestartGL() override { log_.calls.push_back("restart GL"); }
  void SetTimeFrozen(bool frozen) override { log_.calls.push_back(frozen ? "freeze" : "thaw"); }
  void SetAnimating(bool animating) override { log_.calls.push_back(animating ? "animate" : "still"); }
  void ClearScreen() override { log_.calls.push_back("clear"); }
  void ShowFrameRate(bool shown) override { log_.calls.push_back(shown ? "frame rate" : "no frame rate"); }
  void SetParam(int number, double value) override { log_.params.emplace_back(number, value); }

 private:
  PictureLog& log_;
};

const std::vector<std::string> kStopPicture = {"freeze", "still", "clear"};

// Wine answers the monitor-power command with nothing; a real system would
// switch the user's screen off.
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

class SaverWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { priority_ = GetThreadPriority(GetCurrentThread()); }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    Drain();
    SetThreadPriority(GetCurrentThread(), priority_);
  }

  void Open(HWND previewParent = nullptr) {
    window_ = CreateSaverWindow(previewParent, [this] { return std::make_unique<RecordingPicture>(log_); });
    ASSERT_TRUE(IsWindow(window_));
  }
  void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    SendMessageW(window_, message, wParam, lParam);
    RaiseKeptSaverError();
  }
  void Tick() { Send(WM_TIMER, kSaverTimerId); }
  bool ClosePosted() {
    MSG message;
    return PeekMessageW(&message, window_, WM_CLOSE, WM_CLOSE, PM_NOREMOVE) != 0;
  }
  // Serves the posted close as the loop would; true when the window is gone
  // and the quit message posted.
  bool ServeCloseAndQuit() {
    MSG message;
    if (!PeekMessageW(&message, window_, WM_CLOSE, WM_CLOSE, PM_REMOVE)) return false;
    DispatchMessageW(&message);
    RaiseKeptSaverError();
    return !IsWindow(window_) && PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) &&
           message.wParam == 0;
  }
  // Drops whatever the system queued (pointer moves, ticks, the quit).
  static void Drain() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  MemoryRegistry memory_;
  test::ScopedTestRegistry registry_{memory_};
  PictureLog log_;
  HWND window_ = nullptr;
  int priority_ = THREAD_PRIORITY_NORMAL;
};

TEST_F(SaverWindowTest, FullScreenCoversTheVirtualScreenAndStartsThePicture) {
  WriteFrameRateShown(true);
  Open();
  RECT rect;
  GetWindowRect(window_, &rect);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const std::vector<std::string> calls = log_.Take();
  ASSERT_GE(calls.size(), 3u);
  const std::string size = std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
  EXPECT_EQ(calls[0], "start " + size);
  EXPECT_EQ(calls[1], "layout 0,0 " + size);
  EXPECT_EQ(calls[2], "frame rate");
  ASSERT_EQ(log_.params.size(), size_t{kParamCount});  // the session's preset, 1..69 in order
  for (int n = 1; n <= kParamCount; ++n) EXPECT_EQ(log_.params[n - 1].first, n);
}

TEST_F(SaverWindowTest, AChangeOfMonitorsLaysTheWindowAndViewportOverTheNewVirtualScreen) {
  Open();
  log_.Take();
  // Where the window would be left by the old layout.
  ASSERT_TRUE(SetWindowPos(window_, nullptr, 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE));
  Send(WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
  RECT rect;
  GetWindowRect(window_, &rect);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
  EXPECT_EQ(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
  EXPECT_EQ(rect.right - rect.left, width);
  EXPECT_EQ(rect.bottom - rect.top, height);
  EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const std::vector<std::string> calls = log_.Take();  // a repaint may come first
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[calls.size() - 2], "restart GL");
  EXPECT_EQ(calls.back(), "layout 0,0 " + std::to_string(width) + "x" + std::to_string(height));
}

TEST_F(SaverWindowTest, FiveMouseEventsWithinOnePeriodCloseTheSaver) {
  const UINT kinds[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_MOUSEMOVE};
  Open();
  log_.Take();
  for (int period = 0; period < 3; ++period) {  // four per period, never five
    for (int i = 0; i < kInputEventsPerPeriod - 1; ++i) Send(kinds[i], 0, MAKELPARAM(10 * i, 20));
    ASSERT_FALSE(ClosePosted()) << period;
    Tick();
  }
  EXPECT_TRUE(log_.Take().empty());
  for (UINT kind : kinds) Send(kind, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(log_.Take(), kStopPicture);
  ASSERT_TRUE(ClosePosted());
  EXPECT_TRUE(ServeCloseAndQuit());
  EXPECT_EQ(log_.Take(), (std::vector<std::string>{"stop GL", "freed"}));
}

TEST_F(SaverWindowTest, AKeyClosesTheSaverAtOnce) {
  Open();
  log_.Take();
  Send(WM_KEYDOWN, VK_SHIFT);
  EXPECT_EQ(log_.Take(), kStopPicture);
  EXPECT_TRUE(ServeCloseAndQuit());
}

TEST_F(SaverWindowTest, MonitorPowerOffOrLowStopsThePictureButOnDoesNot) {
  Open();
  log_.Take();
  Send(WM_SYSCOMMAND, kMonitorPowerCommand, -1);
  Send(WM_SYSCOMMAND, SC_SCREENSAVE, 2);
  EXPECT_TRUE(log_.Take().empty());
  if (!UnderWine()) GTEST_SKIP() << "switching the monitor off is tried only under Wine";
  // The low four bits belong to the system.
  for (const auto& [command, level] : {std::pair{kMonitorPowerCommand, 1}, {kMonitorPowerCommand | 2, 2}}) {
    Send(WM_SYSCOMMAND, command, level);
    EXPECT_EQ(log_.Take(), kStopPicture) << level;
  }
  EXPECT_FALSE(ClosePosted());  // the saver stays until the user comes back
}

TEST_F(SaverWindowTest, PreviewIgnoresInputPowerAndMonitorsAndEndsWithItsParent) {
  test::TestWindow parent(160, 120);
  Open(parent.Handle());
  EXPECT_EQ(GetParent(window_), parent.Handle());
  RECT rect;
  GetClientRect(window_, &rect);
  EXPECT_EQ(rect.right, 160);
  EXPECT_EQ(rect.bottom, 120);
  EXPECT_EQ(log_.Take().at(0), "start 160x120");
  for (int i = 0; i < 10; ++i) Send(WM_MOUSEMOVE, 0, MAKELPARAM(i, i));
  Send(WM_LBUTTONDOWN);
  Send(WM_KEYDOWN, VK_SPACE);
  if (UnderWine()) Send(WM_SYSCOMMAND, kMonitorPowerCommand, 2);
  Send(WM_DISPLAYCHANGE, 32, 0);  // the preview stays inside its parent
  EXPECT_TRUE(log_.Take().empty());
  EXPECT_FALSE(ClosePosted());

  DestroyWindow(parent.Handle());
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_EQ(log_.Take(), std::vector<std::string>{"freed"});
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(SaverWindowTest, ShuffleAppliesAStoredPresetAfterItsCountdownOfTicks) {
  // The current preset is gone, so the session starts on the defaults; the
  // only stored preset is the one a shuffle can choose.
  for (int n = 1; n <= kParamCount; ++n) WriteListParam("Other", n, 1000 + n);
  WriteCurrentPresetName("Gone");
  WriteShuffleMode(true);
  RandomSeed(2026);
  Open();
  ASSERT_EQ(log_.params.size(), size_t{kParamCount});
  for (int n = 1; n <= kParamCount; ++n) EXPECT_EQ(log_.params[n - 1].second, ParamDefault(n)) << n;
  log_.params.clear();

  int ticks = 0;
  while (log_.params.empty() && ticks < 420) {
    Tick();
    ++ticks;
  }
  EXPECT_GE(ticks, 60);  // 30 s at the earliest, 209.5 s at the latest
  EXPECT_LE(ticks, 419);
  ASSERT_EQ(log_.params.size(), size_t{kParamCount});
  for (int n = 1; n <= kParamCount; ++n) EXPECT_EQ(log_.params[n - 1], std::pair(n, 1000.0 + n));
}

TEST_F(SaverWindowTest, WithoutShuffleThePresetStaysForTheWholeRun) {
  for (int n = 1; n <= kParamCount; ++n) WriteListParam("Only", n, 1000 + n);
  WriteCurrentPresetName("Only");
  Open();
  ASSERT_EQ(log_.params.size(), size_t{kParamCount});
  EXPECT_EQ(log_.params[0].second, 1001);
  for (int i = 0; i < 500; ++i) Tick();
  EXPECT_EQ(log_.params.size(), size_t{kParamCount});
}

}  // namespace
}  // namespace corvane
