// The wallpapers, background colour and enhanced settings windows with real
// windows and real messages, under Wine: what each window adds to the rules
// tested natively (wallpaper_rows_test, tool_form_rules_test) and to the runs
// of app_desktop_windows.sh.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/tool_windows/background_form_win32.h"
#include "forms/tool_windows/enhanced_form_win32.h"
#include "forms/wallpapers/wallpaper_rows.h"
#include "forms/wallpapers/wallpapers_form_win32.h"
#include "os/text_win32.h"
#include "presets/test_registry.h"
#include "support/form_checks.h"
#include "support/stand_in_main_form_win32.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using Rows = std::vector<std::string>;

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

// The main window's operations as the tool windows reach them.
class FakeMain final : public ToolFormHost {
 public:
  void HandleHotKey(gui::Key key, gui::Shift) override { keys.push_back(key); }
  BackgroundColor GetBackgroundColor() override { return color; }
  void SetBackgroundColor(BackgroundColor c) override { color = c; }
  uint8_t GetSyncMode() override { return 1; }
  void SetSyncMode(uint8_t) override {}
  uint8_t GetVSync() override { return vsync; }
  void SetVSync(uint8_t state) override { vsync = state; }
  ThreadPriority DrawerPriority() const override { return draw; }
  void SetDrawerPriority(ThreadPriority p) override { draw = p; }
  ThreadPriority CalcPriority() const override { return calc; }
  void SetCalcPriority(ThreadPriority p) override { calc = p; }

  std::vector<gui::Key> keys;
  BackgroundColor color{10, 20, 30, 255};
  uint8_t vsync = 2;
  ThreadPriority draw = ThreadPriority::Highest, calc = ThreadPriority::Lower;
};

class DesktopWindows : public ::testing::Test {
 protected:
  DesktopWindows() {
    test::ClearMessageBoxes();
    form.applyWallpaper = [this](uint32_t style, const std::string& file) {
      applied.push_back(std::to_string(style) + " " + file);
    };
  }
  HWND List() { return form.List().Handle(); }
  HWND ButtonNamed(const char* caption) { return form.ButtonNamed(caption).Handle(); }
  void DoubleClick(int x) { SendMessageW(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 4)); }

  test::ScopedTestRegistry registry{SystemRegistry()};
  test::TempDir dir;
  gui::Application application;
  test::StandInMainForm mainForm;
  FakeMain main;
  TWallpapersForm form;
  Rows applied;
};

TEST_F(DesktopWindows, KeyboardReachesEveryControlAndEveryTextFits) {
  form.Show();
  RECT list{};
  GetClientRect(List(), &list);
  EXPECT_GE(list.right, 640);
  EXPECT_GE(list.bottom, 300);
  TBackgroundForm background(main);
  TEnhancedForm enhanced(main);
  background.Tool().Show();
  enhanced.Tool().Show();
  for (gui::Form* shown : std::initializer_list<gui::Form*>{&form, &background, &enhanced}) {
    test::ExpectTabReachesEveryControlOnce(application, *shown);
    test::ExpectEveryTextFitsAt96And144Dpi(*shown);
  }
}

TEST_F(DesktopWindows, ListGesturesAndButtonsReachTheirRows) {
  form.Show();
  form.SetRows({"Center=C:\\a.bmp", "Tile=C:\\b.bmp", "Tile=C:\\c.bmp", "Tile=C:\\d.bmp", "odd=C:\\e.bmp"});
  // A range of several rows goes at once.
  form.List().SetCurrentRow(-1);
  for (int row : {1, 2, 3}) ListView_SetItemState(List(), row, LVIS_SELECTED, LVIS_SELECTED);
  Click(ButtonNamed("Delete"));
  EXPECT_EQ(form.Rows(), (Rows{"Center=C:\\a.bmp", "odd=C:\\e.bmp"}));

  // The column under a double click is the window's to find.
  form.List().SetCurrentRow(0);
  int styleColumn = int(SendMessageW(List(), LVM_GETCOLUMNWIDTH, 0, 0));
  DoubleClick(styleColumn / 2);
  EXPECT_EQ(form.Rows()[0], "Center=C:\\a.bmp") << "the style column does not cycle";
  DoubleClick(styleColumn + 20);
  EXPECT_EQ(form.Rows()[0], "Tile=C:\\a.bmp");
  SendMessageW(List(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(form.Rows()[0], "Stretch=C:\\a.bmp");

  // Insert and "Change" apply the current row, read strictly.
  form.List().SetCurrentRow(1);
  SendMessageW(List(), WM_KEYDOWN, VK_INSERT, 0);
  form.List().SetCurrentRow(0);
  Click(ButtonNamed("Change"));
  EXPECT_EQ(applied, (Rows{"0 C:\\e.bmp", "2 C:\\a.bmp"}));

  // "Clear" under a checked box: the changer is stored off.
  form.ChangerCheck().SetChecked(true);
  Click(ButtonNamed("Clear"));
  Click(ButtonNamed("OK"));
  bool on = true;
  ReadWallpapersState(on);
  EXPECT_FALSE(on);
}

// Each failure is caught by the window: shown in a box, the rows and the
// window kept for another try.
TEST_F(DesktopWindows, FileDesktopAndRegistryFailuresAreShownAndChangeNothing) {
  form.Show();
  form.SetRows({"Tile=C:\\a.bmp"});
  form.TakeOpenAnswer({dir.File("missing.cvw")}, 2);
  form.SaveRowsTo(dir.File("no-folder\\list.cvw"));

  form.applyWallpaper = [](uint32_t, const std::string&) { throw std::runtime_error("The desktop refused."); };
  form.List().SetCurrentRow(0);
  Click(ButtonNamed("Change"));
  {
    test::ScopedFailingWrites failing(0);
    Click(ButtonNamed("OK"));
  }
  ASSERT_EQ(test::MessageBoxes().size(), 4u);
  EXPECT_EQ(test::MessageBoxes()[2].text, "The desktop refused.");
  EXPECT_EQ(test::MessageBoxes()[3].text, "The wallpapers list could not be stored in the registry.");
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.Rows(), (Rows{"Tile=C:\\a.bmp"}));
}

// The open dialog is modal: a timer of this thread answers it like a user,
// typing one file name. The filter it opened on stays chosen.
std::wstring g_answer;
void AnswerOpenDialogWith(const std::string& path) {
  g_answer = Widen(path);
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(L"#32770", nullptr);
    if (!dialog) return;
    KillTimer(nullptr, id);
    if (!SetDlgItemTextW(dialog, cmb13, g_answer.c_str())) SetDlgItemTextW(dialog, edt1, g_answer.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
}

TEST_F(DesktopWindows, SavedRowsLoadThroughTheDialogOnListFilesAndCancelStoresNothing) {
  ASSERT_TRUE(StoreWallpaperRows({"Center=C:\\old.bmp"}, false));
  form.Show();
  std::string list = dir.File("saved.cvw");
  form.SetRows({"Tile=C:\\dots.bmp"});
  form.SaveRowsTo(list);
  form.SetRows({});
  AnswerOpenDialogWith(list);
  Click(ButtonNamed("Load"));
  EXPECT_EQ(form.Rows(), (Rows{"Tile=C:\\dots.bmp"}));
  Click(ButtonNamed("Cancel"));
  EXPECT_EQ(LoadWallpaperRows(), (Rows{"Center=C:\\old.bmp"}));
}

TEST_F(DesktopWindows, BackgroundRowsStayInStepAndPassHotKeysOn) {
  TBackgroundForm background(main);
  background.Tool().Show();
  auto& red = background.RowAt(0);
  COMBOBOXINFO parts{.cbSize = sizeof(COMBOBOXINFO)};
  GetComboBoxInfo(red.number->Handle(), &parts);
  SendMessageW(parts.hwndItem, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring_view(L"25")) SendMessageW(parts.hwndItem, WM_CHAR, c, 0);
  EXPECT_EQ(red.upDown->Position(), 25);

  SendMessageW(background.RowAt(1).slider->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(main.color, (BackgroundColor{25, 21, 30, 255}));
  EXPECT_EQ(background.RowAt(1).number->Text(), "21");

  // Another road set the colour while the window is hidden.
  background.Tool().Hide();
  background.ColorChanged({255, 0, 0, 128});
  EXPECT_EQ(red.number->Text(), "255");

  background.Tool().Show();
  PostMessageW(parts.hwndItem, WM_KEYDOWN, VK_F1, 0);
  application.ProcessMessages();
  EXPECT_EQ(main.keys, (std::vector<gui::Key>{VK_F1}));
}

TEST_F(DesktopWindows, EnhancedSettingsSetTheLevelsAndStoreTheMonitorsChoice) {
  TEnhancedForm enhanced(main);
  enhanced.Tool().Show();
  SendMessageW(enhanced.CalcList().Handle(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(main.calc, ThreadPriority::TimeCritical);
  SendMessageW(enhanced.DrawList().Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(main.draw, ThreadPriority::Idle);
  EXPECT_EQ(enhanced.MonitorsList().Items(), (std::vector<std::string>{"Span", "Each monitor", "Primary only"}));
  SendMessageW(enhanced.MonitorsList().Handle(), WM_KEYDOWN, VK_END, 0);
  MonitorsMode stored = MonitorsMode::Span;
  EXPECT_TRUE(ReadMonitorsMode(stored));
  EXPECT_EQ(stored, MonitorsMode::PrimaryOnly);

  ASSERT_TRUE(enhanced.VSyncCheck().Enabled());
  EXPECT_FALSE(enhanced.VSyncCheck().Checked());
  Click(enhanced.VSyncCheck().Handle());
  EXPECT_EQ(main.vsync, 1);
}

}  // namespace
}  // namespace corvane
