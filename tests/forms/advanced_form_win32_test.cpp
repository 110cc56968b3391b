// The preset editor as a real window beside a real main window (drawing on
// WGL), driven by real messages; the registry is one in memory and the
// file dialogs answer from the test.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

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

using test::PasteIntoCombo;
HWND EditOf(HWND combo) { return test::ComboEditField(combo); }

std::string StatusPanel(HWND main, int panel) {
  HWND bar = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
  wchar_t text[256] = {};
  SendMessageW(bar, SB_GETTEXTW, WPARAM(panel), LPARAM(text));
  return Narrow(text);
}

class AdvancedFormTest : public testing::Test {
 protected:
  AdvancedFormTest() {
    InstallApplicationExceptionHandler(application_);
    test::ClearMessageBoxes();
  }
  ~AdvancedFormTest() override {
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // The editor made as the application makes it, then shown.
  TAdvancedForm& Editor(uint8_t startKind = 0, const std::string& startFile = {}) {
    editor_ = std::make_unique<TAdvancedForm>(main_, startKind, startFile);
    joined_.emplace(JoinPresetEditor(main_, *editor_));
    editor_->chooseOpenFile = [this] { return answers_.Next(); };
    editor_->chooseSaveFile = [this] { return answers_.Next(); };
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
  std::string PresetFile(const std::string& name, int number, double value) {
    TPresetParams preset = TPresetParams::Defaults();
    preset.SetValue(number, value);
    std::string path = dir_.File(name);
    WritePresetFile(path, preset);
    return path;
  }

  test::ScopedErrorLog log_;
  MemoryRegistry backend_;
  test::ScopedTestRegistry registry_{backend_};
  test::TempDir dir_;
  gui::Application application_;
  TMainForm main_;
  std::unique_ptr<TAdvancedForm> editor_;
  std::optional<PresetEditorJoin> joined_;
  test::DialogAnswers answers_;
};

TEST_F(AdvancedFormTest, AStartFileIsShownAndTheEmptyListLeavesTheEntryCommandsOff) {
  std::string start = PresetFile("start.cvp", 5, 3.25);
  TAdvancedForm& editor = Editor(2, start);
  EXPECT_EQ(test::WindowText(editor.Handle()).rfind("Settings", 0), 0u) << test::WindowText(editor.Handle());
  RECT client{};
  GetClientRect(editor.Handle(), &client);
  EXPECT_EQ(client.right, 329);
  EXPECT_EQ(client.bottom, 494);
  EXPECT_EQ(editor.GetEditorParam(5), 3.25);
  EXPECT_EQ(main_.GetPresetParam(5), 3.25);
  EXPECT_FALSE(IsWindowEnabled(editor.DeleteButton().Handle()));
  EXPECT_FALSE(IsWindowEnabled(editor.ReloadButton().Handle()));
  EXPECT_TRUE(IsWindowVisible(FindWindowExW(main_.Handle(), nullptr, STATUSCLASSNAMEW, nullptr)));
}

TEST_F(AdvancedFormTest, KeyboardReachesEveryControlAndEveryTextFits) {
  TAdvancedForm& editor = Editor();
  test::ExpectTabReachesEveryControlOnce(application_, editor);
  // The picture stops first: under Wine, a move to another dpi while the
  // main window draws from its thread may never return.
  main_.SuspendDrawing();
  test::ExpectEveryTextFitsAt96And144Dpi(editor);
  main_.ResumeDrawing();
}

TEST_F(AdvancedFormTest, ArrowsBlendingTheSliderAndTheListReachThePicture) {
  WriteListParam("Mid", 2, 44);
  TAdvancedForm& editor = Editor();
  // 0.05 steps by 0.01: one click on the upper arrow gives 0.06.
  TComboEdit& firstPage = editor.Rows(1);
  PasteIntoCombo(firstPage.Box(4).Handle(), "0.05");
  RECT arrows{};
  GetClientRect(firstPage.Arrows(4).Handle(), &arrows);
  SendMessageW(firstPage.Arrows(4).Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrows.right / 2, 2));
  SendMessageW(firstPage.Arrows(4).Handle(), WM_LBUTTONUP, 0, MAKELPARAM(arrows.right / 2, 2));
  application_.ProcessMessages();
  EXPECT_EQ(firstPage.Box(4).Text(), "0.06");
  EXPECT_DOUBLE_EQ(main_.GetPresetParam(4), 0.06);

  // The renderer keeps at most MaxBlending (1 on a context without alpha).
  SendMessageW(editor.Blending().ItemHandle(3), BM_CLICK, 0, 0);
  EXPECT_EQ(main_.GetPresetParam(64), std::min(3u, MaxBlending()));
  EXPECT_EQ(editor.GetEditorParam(64), 3);

  SendMessageW(editor.MotionBlur().Handle(), TBM_SETPOS, TRUE, 255);
  SendMessageW(editor.MotionBlurGroup().Handle(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
               LPARAM(editor.MotionBlur().Handle()));
  EXPECT_EQ(test::WindowText(editor.MotionBlurGroup().Handle()), " Motion Blur = Max ");
  EXPECT_EQ(main_.GetPresetParam(69), 255);

  // A blending value off the buttons is sent, and the buttons stay.
  answers_.queue = {PresetFile("odd.cvp", 64, 7.4)};
  Key(firstPage.Box(1).Handle(), VK_F7);
  EXPECT_EQ(editor.Blending().ItemIndex(), 3);
  EXPECT_EQ(main_.GetPresetParam(64), std::min(AppliedValue(param_table::kParams[63], 7.4), double(MaxBlending())));

  // A stored preset chosen in the list is drawn.
  HWND list = editor.PresetList().Handle();
  ASSERT_EQ(editor.PresetList().Items(), (std::vector<std::string>{"Mid"}));
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  SendMessageW(editor.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), LPARAM(list));
  EXPECT_EQ(main_.GetPresetParam(2), 44);
  EXPECT_EQ(StatusPanel(main_.Handle(), 2), " Preset from registry : Mid");
  EXPECT_TRUE(IsWindowEnabled(editor.DeleteButton().Handle()));
  EXPECT_EQ(log_.Contents(), "");
}

TEST_F(AdvancedFormTest, TheStopAndFullButtonsFollowTheMainWindow) {
  TAdvancedForm& editor = Editor();
  HWND box = EditOf(editor.Rows(3).Box(2).Handle());
  Key(box, VK_PAUSE);
  EXPECT_TRUE(main_.TimeFrozenByUser());
  EXPECT_EQ(editor.Tools().ButtonAt(0).Text(), "Start");
  editor.Tools().ButtonAt(0).Click();
  EXPECT_FALSE(main_.TimeFrozenByUser());
  EXPECT_EQ(editor.Tools().ButtonAt(0).Text(), "Stop");

  // Full screen with the status bar shown: the bar is laid out again while
  // the drawing thread draws.
  {
    test::HangWatch watch("F11 with the status bar shown");
    Key(main_.Handle(), VK_F11);
  }
  EXPECT_TRUE(main_.FullScreen());
  RECT client{}, bar{};
  GetClientRect(main_.Handle(), &client);
  HWND statusBar = FindWindowExW(main_.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
  GetWindowRect(statusBar, &bar);
  MapWindowPoints(nullptr, main_.Handle(), reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_TRUE(IsWindowVisible(statusBar));
  EXPECT_EQ(bar.bottom, client.bottom) << "the bar keeps to the bottom of the full screen";
  EXPECT_EQ(bar.right - bar.left, client.right);
  EXPECT_EQ(editor.Tools().ButtonAt(1).Text(), "Normal");
  EXPECT_FALSE(editor.StayOnTop());
  editor.Tools().ButtonAt(1).Click();
  EXPECT_FALSE(main_.FullScreen());
  EXPECT_EQ(editor.Tools().ButtonAt(1).Text(), "Full");
  EXPECT_TRUE(editor.StayOnTop());

  SetActiveWindow(editor.Handle());
  Key(box, VK_F12);
  EXPECT_FALSE(editor.Shown());
  EXPECT_FALSE(IsWindowVisible(statusBar)) << "the status bar goes with the editor";
  EXPECT_EQ(log_.Contents(), "");
}

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

TEST_F(AdvancedFormTest, BreedWithSelectedShowsAChildAndIsGreyedWithNothingSelected) {
  for (int n = 1; n <= kParamCount; ++n) WriteListParam("Mid", n, ParamDefault(n));
  TAdvancedForm& editor = Editor();
  HWND list = editor.PresetList().Handle();
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  SendMessageW(editor.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), LPARAM(list));
  const UINT breed = MenuCommand(GetMenu(editor.Handle()), L"Breed with Selected");
  ASSERT_NE(breed, 0u);
  SendMessageW(editor.Handle(), WM_COMMAND, breed, 0);
  EXPECT_EQ(StatusPanel(main_.Handle(), 2), " Working preset × Mid");
  int changed = 0;
  for (int n = 1; n <= kParamCount; ++n) {
    EXPECT_EQ(editor.GetEditorParam(n), main_.GetPresetParam(n)) << n;
    changed += editor.GetEditorParam(n) != ParamDefault(n) ? 1 : 0;
  }
  EXPECT_GT(changed, 0) << "the child is the selected preset again";

  editor.DeleteButton().Click();
  EXPECT_TRUE(GetMenuState(GetMenu(editor.Handle()), breed, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(log_.Contents(), "");
}

// What the main and tool windows were while the Setup window was up.
struct DuringSetup {
  TMainForm* main = nullptr;
  HWND editor = nullptr;
  bool seen = false, mainHidden = false, editorShown = true, setupActive = false;
};
DuringSetup g_duringSetup;

TEST_F(AdvancedFormTest, SetupOpensInFrontWithThePicturePausedAndTheOtherWindowsAway) {
  TAdvancedForm& editor = Editor();
  g_duringSetup = {&main_, editor.Handle()};
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND setup = FindWindowW(nullptr, L"Setup");
    if (!setup || !IsWindowVisible(setup) || g_duringSetup.seen) return;
    g_duringSetup.seen = true;
    g_duringSetup.mainHidden = g_duringSetup.main->InHiddenState() && !IsWindowVisible(g_duringSetup.main->Handle());
    g_duringSetup.editorShown = IsWindowVisible(g_duringSetup.editor);
    g_duringSetup.setupActive = GetActiveWindow() == setup;
    PostMessageW(setup, WM_CLOSE, 0, 0);
  });
  {
    test::HangWatch watch("the Setup window");
    SendMessageW(editor.Handle(), WM_COMMAND, MenuCommand(GetMenu(editor.Handle()), L"Setup..."), 0);
  }
  KillTimer(nullptr, timer);
  ASSERT_TRUE(g_duringSetup.seen);
  EXPECT_TRUE(g_duringSetup.mainHidden);
  EXPECT_FALSE(g_duringSetup.editorShown);
  EXPECT_TRUE(g_duringSetup.setupActive);
  EXPECT_TRUE(editor.Visible());
  EXPECT_FALSE(main_.InHiddenState());
  EXPECT_EQ(log_.Contents(), "");
}

}  // namespace
}  // namespace corvane
