// The main window, Quick Info and About as real windows under real
// messages, with the drawing thread on WGL: what the windows add to the
// rules tested natively and to the runs of app_window.sh.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "forms/information/about_form_win32.h"
#include "forms/information/info_texts.h"
#include "forms/information/quick_info_form_win32.h"
#include "forms/main_window/main_form_win32.h"
#include "os/process.h"
#include "presets/memory_registry.h"
#include "presets/registry_store.h"
#include "presets/test_registry.h"
#include "support/form_checks.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

class MainFormTest : public testing::Test {
 protected:
  MainFormTest() {
    InstallApplicationExceptionHandler(application_);
    main_.Show();
    application_.ProcessMessages();
  }
  // A test that ended the application leaves its quit message behind.
  ~MainFormTest() override {
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    application_.ProcessMessages();
  }
  // With Control held down in this thread's keyboard state.
  void ControlKey(HWND window, WPARAM key) {
    BYTE saved[256], held[256];
    GetKeyboardState(saved);
    GetKeyboardState(held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
    Key(window, key);
    SetKeyboardState(saved);
  }

  test::ScopedErrorLog log_;
  MemoryRegistry memory_;
  test::ScopedTestRegistry registry_{memory_};
  gui::Application application_;
  TMainForm main_;
  TQuickInfoForm quickInfo_{main_};
  gui::ScopedSlot<ToolWindow*> quickInfoJoined_ = main_.Tools().Join(ToolSlot::QuickInfo, quickInfo_.AsToolWindow());
};

TEST_F(MainFormTest, KeyboardReachesEveryControlAndEveryTextFits) {
  // Drawn into by OpenGL: its own device context, no child drawn over.
  EXPECT_TRUE(GetClassLongPtrW(main_.Handle(), GCL_STYLE) & CS_OWNDC);
  EXPECT_EQ(GetWindowLongPtrW(main_.Handle(), GWL_STYLE) & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
            WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  HWND bar = FindWindowExW(main_.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
  EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 3);
  main_.ShowStatus(std::nullopt, std::nullopt, "Paused");
  wchar_t panel[16] = {};
  SendMessageW(bar, SB_GETTEXTW, 2, LPARAM(panel));
  EXPECT_STREQ(panel, L" Paused");
  main_.SetStatusBarVisible(true);
  test::ExpectEveryTextFitsAt96And144Dpi(main_);

  TAboutForm about(main_);
  for (gui::Form* form : std::initializer_list<gui::Form*>{&quickInfo_, &about}) {
    form->Show();
    test::ExpectTabReachesEveryControlOnce(application_, *form);
    test::ExpectEveryTextFitsAt96And144Dpi(*form);
    form->Hide();
  }
}

TEST_F(MainFormTest, QuickInfoPassesItsKeysOnAndIsNoLongerOnTopInFullScreen) {
  int abouts = 0;
  const auto aboutKey = main_.SetHotKeyAction(HotKeyAction::About, [&] { ++abouts; });
  Key(main_.Handle(), VK_F1);
  HWND memo = GetWindow(quickInfo_.Handle(), GW_CHILD);
  ControlKey(memo, VK_F1);
  EXPECT_EQ(abouts, 1) << "Control+F1 in Quick Info reaches the main window";

  // Maximising is the full-screen switch too.
  SendMessageW(main_.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_FALSE(quickInfo_.StayOnTop()) << "tool windows are normal windows in full screen";
  Key(main_.Handle(), VK_F11);
  EXPECT_TRUE(quickInfo_.StayOnTop());

  // Control+F shows the frames per second and remembers it at once.
  ControlKey(main_.Handle(), 'F');
  bool stored = false;
  EXPECT_TRUE(ReadFrameRateShown(stored) && stored);

  Key(memo, VK_ESCAPE);
  EXPECT_TRUE(application_.Terminated()) << "Esc in Quick Info ends the application";
  EXPECT_EQ(log_.Contents(), "");
}

TEST_F(MainFormTest, AHeldArrowStopsRepeatingWhenTheWindowIsNoLongerActive) {
  SetActiveWindow(main_.Handle());
  PostMessageW(main_.Handle(), WM_KEYDOWN, VK_LEFT, 1);
  application_.ProcessMessages();
  ASSERT_TRUE(main_.ArrowRepeating());
  gui::Form other({.caption = "Other", .client = {100, 80}});
  other.Show();
  SetActiveWindow(other.Handle());
  EXPECT_FALSE(main_.ArrowRepeating()) << "its key-up goes to the other window";
}

TEST_F(MainFormTest, DisplayChangeRecreatesTheWindowWithOpenGLOnIt) {
  HWND old = main_.Handle();
  SendMessageW(main_.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(800, 600));
  application_.ProcessMessages();
  EXPECT_NE(main_.Handle(), old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_FALSE(application_.Terminated());
  EXPECT_FALSE(main_.GetStatusText().empty()) << "OpenGL runs on the new window";
}

// The test program carries no version information: About still fills its
// lines, the version lines empty.
TEST_F(MainFormTest, AboutFillsItsLinesWithoutVersionInformation) {
  ASSERT_EQ(ProductVersionOf(ModuleFileName()), std::nullopt);
  TAboutForm about(main_);
  about.Show();
  std::vector<std::string> texts;
  for (HWND child = GetWindow(about.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    texts.push_back(test::WindowText(child));
  const std::vector<std::string> expected{kProductName, "", "", kOwnerLine, kContactAddress, kWebAddress, "", "OK"};
  EXPECT_EQ(texts, expected);
}

TEST(MainForm, TheDrawingThreadsEndEndsTheApplication) {
  test::ScopedErrorLog log;
  gui::Application application;
  TMainForm main([](CalcClient&) -> std::unique_ptr<RenderContext> { throw EDrawerError("no render context"); });
  EXPECT_TRUE(application.Terminated());
  EXPECT_NE(log.Contents().find("no render context"), std::string::npos);
}

// The destroyed window's handlers capture it: none may stay behind in the
// application, which hears the last window's deactivation after it goes.
TEST(MainForm, LeavesNoHandlerInTheApplicationWhenItGoes) {
  gui::Application application;
  {
    TMainForm main;
    main.Show();
    EXPECT_TRUE(application.onActivate && application.onDeactivate);
  }
  EXPECT_FALSE(application.onActivate || application.onDeactivate || application.onMinimize ||
               application.onRestore);
}

}  // namespace
}  // namespace corvane
