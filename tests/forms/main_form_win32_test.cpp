// The main window, Quick Info and About as real windows under real
// messages, with the drawing thread on WGL.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "forms/information/about_form_win32.h"
#include "forms/information/info_texts.h"
#include "forms/information/quick_info_form_win32.h"
#include "forms/main_window/main_form_win32.h"
#include "os/process.h"
#include "os/text_win32.h"
#include "presets/memory_registry.h"
#include "presets/registry_store.h"
#include "presets/test_registry.h"
#include "support/form_checks.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

std::string StatusPanel(HWND bar, int panel) {
  wchar_t text[256] = {};
  SendMessageW(bar, SB_GETTEXTW, WPARAM(panel), LPARAM(text));
  return Narrow(text);
}

gui::Size ClientOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {int(client.right), int(client.bottom)};
}

// Holds Control down in this thread's keyboard state while it lives.
class HeldControl {
 public:
  HeldControl() {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldControl() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

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

  test::ScopedErrorLog log_;
  MemoryRegistry memory_;
  test::ScopedTestRegistry registry_{memory_};
  gui::Application application_;
  TMainForm main_;
  TQuickInfoForm quickInfo_{main_};
  gui::ScopedSlot<ToolWindow*> quickInfoJoined_ = main_.Tools().Join(ToolSlot::QuickInfo, quickInfo_.AsToolWindow());
};

TEST_F(MainFormTest, StartsWithItsOwnDeviceContextAndAHiddenStatusBarOfThreePanels) {
  EXPECT_EQ(ClientOf(main_.Handle()), (gui::Size{640, 480}));
  EXPECT_TRUE(GetClassLongPtrW(main_.Handle(), GCL_STYLE) & CS_OWNDC);
  EXPECT_EQ(GetWindowLongPtrW(main_.Handle(), GWL_STYLE) & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
            WS_CLIPSIBLINGS | WS_CLIPCHILDREN);

  HWND bar = FindWindowExW(main_.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(IsWindowVisible(bar));
  EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 3);
  main_.ShowStatus("Changed", "Ticks");
  main_.ShowStatus(std::nullopt, std::nullopt, "x");
  EXPECT_EQ(StatusPanel(bar, 0), " Ticks");
  EXPECT_EQ(StatusPanel(bar, 1), " Changed");
  EXPECT_EQ(StatusPanel(bar, 2), " x");
  EXPECT_FALSE(main_.GetStatusText().empty()) << "OpenGL runs on the window";
}

TEST_F(MainFormTest, HotKeysReachTheirWindowsAndQuickInfoPassesItsKeysOn) {
  int abouts = 0;
  const auto aboutKey = main_.SetHotKeyAction(HotKeyAction::About, [&] { ++abouts; });
  Key(main_.Handle(), VK_F1);
  EXPECT_TRUE(quickInfo_.Visible());
  HWND memo = GetWindow(quickInfo_.Handle(), GW_CHILD);
  {
    HeldControl control;
    Key(memo, VK_F1);
  }
  EXPECT_EQ(abouts, 1) << "Control+F1 in Quick Info reaches the main window";
  EXPECT_TRUE(quickInfo_.Visible());
  // Control+F shows the frames per second and remembers it at once.
  for (bool shown : {true, false}) {
    {
      HeldControl control;
      Key(main_.Handle(), 'F');
    }
    bool stored = !shown;
    EXPECT_TRUE(ReadFrameRateShown(stored));
    EXPECT_EQ(stored, shown);
  }

  EXPECT_FALSE(application_.Terminated());
  Key(memo, VK_ESCAPE);
  EXPECT_TRUE(application_.Terminated()) << "Esc in Quick Info ends the application";
  EXPECT_EQ(log_.Contents(), "");
}

TEST_F(MainFormTest, KeyboardReachesEveryControlOfQuickInfoAndAboutAndEveryTextFits) {
  TAboutForm about(main_);
  for (gui::Form* form : std::initializer_list<gui::Form*>{&quickInfo_, &about}) {
    form->Show();
    test::ExpectTabReachesEveryControlOnce(application_, *form);
    test::ExpectEveryTextFitsAt96And144Dpi(*form);
    form->Hide();
  }
  main_.SetStatusBarVisible(true);
  test::ExpectEveryTextFitsAt96And144Dpi(main_);
}

TEST_F(MainFormTest, MaximiseAndF11SwitchFullScreen) {
  Key(main_.Handle(), VK_F1);
  ASSERT_TRUE(quickInfo_.Visible());
  EXPECT_TRUE(quickInfo_.StayOnTop());
  for (bool byMaximise : {true, false}) {
    if (byMaximise)
      SendMessageW(main_.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else
      Key(main_.Handle(), VK_F11);
    application_.ProcessMessages();
    EXPECT_TRUE(main_.FullScreen());
    EXPECT_TRUE(IsZoomed(main_.Handle()));
    EXPECT_EQ(GetMenu(main_.Handle()), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(main_.Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_FALSE(quickInfo_.StayOnTop()) << "tool windows are normal windows in full screen";

    Key(main_.Handle(), VK_F11);
    EXPECT_FALSE(main_.FullScreen());
    EXPECT_FALSE(IsZoomed(main_.Handle()));
    EXPECT_NE(GetMenu(main_.Handle()), nullptr);
    EXPECT_EQ(ClientOf(main_.Handle()), (gui::Size{640, 480})) << (byMaximise ? "after maximise" : "after F11");
    EXPECT_TRUE(quickInfo_.StayOnTop());
  }
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
  EXPECT_EQ(test::WindowText(main_.Handle()), "Corvane | 640 x 480 | ");
  EXPECT_FALSE(main_.GetStatusText().empty()) << "OpenGL runs on the new window";
}

TEST_F(MainFormTest, AHandlerThatRaisesIsLoggedOnceAndEndsTheApplication) {
  const auto snapshotKey =
      main_.SetHotKeyAction(HotKeyAction::Snapshot, [] { throw std::runtime_error("snapshot refused"); });
  Key(main_.Handle(), VK_F9);
  EXPECT_TRUE(application_.Terminated());
  const std::string record = log_.Contents();
  EXPECT_NE(record.find("Handler     :  TMainForm\r\nRaiser      :  TMainForm\r\n"), std::string::npos) << record;
  EXPECT_NE(record.find("Message     :  snapshot refused"), std::string::npos) << record;
  EXPECT_EQ(test::MessageBoxes().size(), 1u);
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

TEST(AboutForm, FillsItsLinesOnShowAndKeepsVersionsWithoutVersionInformation) {
  gui::Application application;
  TMainForm main;
  TAboutForm about(main);
  about.Show();
  std::vector<std::string> texts;
  for (HWND child = GetWindow(about.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    texts.push_back(test::WindowText(child));
  // The test program carries no version information.
  EXPECT_EQ(ProductVersionOf(ModuleFileName()), std::nullopt);
  const std::vector<std::string> expected{kProductName, "", "", kOwnerLine, kContactAddress, kWebAddress, "", "OK"};
  EXPECT_EQ(texts, expected);
}

}  // namespace
}  // namespace corvane
