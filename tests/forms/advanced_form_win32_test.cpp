// The preset editor as a real window beside a real main window (drawing on
// WGL), driven by real messages; the registry is one in memory. What the
// commands do is checked natively (preset_editor_test); here only that the
// controls, menus and keys reach them, and what the window itself does.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "../presets/test_registry.h"
#include "figure/preset_params.h"
#include "forms/preset_editor/advanced_form_win32.h"
#include "os/text_win32.h"
#include "presets/memory_registry.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"
#include "render/renderer.h"
#include "support/form_checks.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

// The command id of the menu item with this text, in any of the menu's pop-ups.
UINT MenuCommand(HMENU menu, const std::wstring& text) {
  for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (UINT id = MenuCommand(sub, text)) return id;
      continue;
    }
    wchar_t item[64] = {};
    GetMenuStringW(menu, UINT(i), item, 64, MF_BYPOSITION);
    if (text == item) return GetMenuItemID(menu, i);
  }
  return 0;
}

class AdvancedFormTest : public testing::Test {
 protected:
  AdvancedFormTest() { InstallApplicationExceptionHandler(application_); }
  ~AdvancedFormTest() override {
    EXPECT_EQ(log_.Contents(), "");
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // The editor made as the application makes it, then shown.
  TAdvancedForm& Editor(uint8_t startKind = 0, const std::string& startFile = {}) {
    editor_ = std::make_unique<TAdvancedForm>(main_, startKind, startFile);
    joined_.emplace(JoinPresetEditor(main_, *editor_));
    main_.Show();
    editor_->Show();
    application_.ProcessMessages();
    return *editor_;
  }
  void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
    application_.ProcessMessages();
  }
  HWND StatusBar() { return FindWindowExW(main_.Handle(), nullptr, STATUSCLASSNAMEW, nullptr); }

  test::ScopedErrorLog log_;
  MemoryRegistry backend_;
  test::ScopedTestRegistry registry_{backend_};
  test::TempDir dir_;
  gui::Application application_;
  TMainForm main_;
  std::unique_ptr<TAdvancedForm> editor_;
  std::optional<PresetEditorJoin> joined_;
};

TEST_F(AdvancedFormTest, KeyboardReachesEveryControlAndEveryTextFits) {
  TAdvancedForm& editor = Editor();
  test::ExpectTabReachesEveryControlOnce(application_, editor);
  // The picture stops first: under Wine, a move to another dpi while the
  // main window draws from its thread may never return.
  main_.SuspendDrawing();
  test::ExpectEveryTextFitsAt96And144Dpi(editor);
  main_.ResumeDrawing();
}

TEST_F(AdvancedFormTest, TheStartFileTheControlsAndTheListReachThePicture) {
  TPresetParams start = TPresetParams::Defaults();
  start.SetValue(5, 3.25);
  WritePresetFile(dir_.File("start.cvp"), start);
  WriteListParam("Mid", 2, 44);
  TAdvancedForm& editor = Editor(2, dir_.File("start.cvp"));
  EXPECT_EQ(main_.GetPresetParam(5), 3.25);
  RECT client{};
  GetClientRect(editor.Handle(), &client);
  EXPECT_EQ(client.right, 329);
  EXPECT_EQ(client.bottom, 494);

  // The renderer keeps at most MaxBlending (1 on a context without alpha).
  SendMessageW(editor.Blending().ItemHandle(3), BM_CLICK, 0, 0);
  EXPECT_EQ(main_.GetPresetParam(64), std::min(3u, MaxBlending()));
  editor.SetEditorParam(64, 7.4);
  EXPECT_EQ(editor.Blending().ItemIndex(), 3) << "a value off the buttons leaves them";
  SendMessageW(editor.MotionBlur().Handle(), TBM_SETPOS, TRUE, 255);
  SendMessageW(editor.MotionBlurGroup().Handle(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
               LPARAM(editor.MotionBlur().Handle()));
  EXPECT_EQ(test::WindowText(editor.MotionBlurGroup().Handle()), " Motion Blur = Max ");
  EXPECT_EQ(main_.GetPresetParam(69), 255);

  // The entry commands follow the selection.
  HMENU menu = GetMenu(editor.Handle());
  const UINT breed = MenuCommand(menu, L"Breed with Selected");
  EXPECT_TRUE(GetMenuState(menu, breed, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(IsWindowEnabled(editor.DeleteButton().Handle()));
  HWND list = editor.PresetList().Handle();
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  SendMessageW(editor.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), LPARAM(list));
  EXPECT_EQ(main_.GetPresetParam(2), 44);
  EXPECT_TRUE(IsWindowEnabled(editor.DeleteButton().Handle()));
  SendMessageW(editor.Handle(), WM_COMMAND, breed, 0);
  wchar_t status[64] = {};
  SendMessageW(StatusBar(), SB_GETTEXTW, 2, LPARAM(status));
  EXPECT_EQ(Narrow(status), " Working preset × Mid");
}

TEST_F(AdvancedFormTest, TheStopAndFullButtonsFollowTheMainWindowsKeys) {
  TAdvancedForm& editor = Editor();
  HWND box = test::ComboEditField(editor.Rows(3).Box(2).Handle());
  Key(box, VK_PAUSE);
  EXPECT_TRUE(main_.TimeFrozenByUser());
  EXPECT_EQ(editor.Tools().ButtonAt(0).Text(), "Start");
  editor.Tools().ButtonAt(0).Click();
  EXPECT_FALSE(main_.TimeFrozenByUser());

  // Full screen with the status bar shown: the bar is laid out again while
  // the drawing thread draws (this once never returned).
  {
    test::HangWatch watch("F11 with the status bar shown");
    Key(main_.Handle(), VK_F11);
  }
  EXPECT_TRUE(main_.FullScreen());
  EXPECT_EQ(editor.Tools().ButtonAt(1).Text(), "Normal");
  RECT client{}, bar{};
  GetClientRect(main_.Handle(), &client);
  GetWindowRect(StatusBar(), &bar);
  MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_TRUE(IsWindowVisible(StatusBar()));
  EXPECT_EQ(bar.bottom, client.bottom) << "the bar keeps to the bottom of the full screen";
  EXPECT_EQ(bar.right - bar.left, client.right);
  editor.Tools().ButtonAt(1).Click();
  EXPECT_FALSE(main_.FullScreen());
  EXPECT_TRUE(editor.StayOnTop()) << "again, out of full screen";

  SetActiveWindow(editor.Handle());
  Key(box, VK_F12);
  EXPECT_FALSE(editor.Shown());
  EXPECT_FALSE(IsWindowVisible(StatusBar())) << "the status bar goes with the editor";
}

// What the main window, the editor and Setup were while Setup was up.
std::string g_duringSetup;
TMainForm* g_main = nullptr;
HWND g_editor = nullptr;

TEST_F(AdvancedFormTest, SetupOpensInFrontWithThePicturePausedAndTheOtherWindowsAway) {
  TAdvancedForm& editor = Editor();
  g_duringSetup.clear();
  g_main = &main_;
  g_editor = editor.Handle();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND setup = FindWindowW(nullptr, L"Setup");
    if (!setup || !IsWindowVisible(setup) || !g_duringSetup.empty()) return;
    const bool mainHidden = g_main->InHiddenState() && !IsWindowVisible(g_main->Handle());
    g_duringSetup = std::string(mainHidden ? "main hidden" : "main shown") +
                    (IsWindowVisible(g_editor) ? ", editor shown" : ", editor hidden") +
                    (GetActiveWindow() == setup ? ", Setup active" : ", Setup inactive");
    PostMessageW(setup, WM_CLOSE, 0, 0);
  });
  {
    test::HangWatch watch("the Setup window");
    SendMessageW(editor.Handle(), WM_COMMAND, MenuCommand(GetMenu(editor.Handle()), L"Setup..."), 0);
  }
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_duringSetup, "main hidden, editor hidden, Setup active");
  EXPECT_TRUE(editor.Visible());
  EXPECT_FALSE(main_.InHiddenState());
}

}  // namespace
}  // namespace corvane
