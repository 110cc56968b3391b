// The wallpapers, background colour and enhanced settings windows with real
// windows and real messages, under Wine.
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
#include "support/test_window.h"

namespace corvane {
namespace {

using Rows = std::vector<std::string>;

std::string Cell(HWND list, int row, int column) { return test::ListViewText(list, row, column); }

// What the list view shows, read back as rows.
Rows Shown(HWND list) {
  Rows rows;
  int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) rows.push_back(Cell(list, row, 0) + "=" + Cell(list, row, 1));
  return rows;
}

void Select(HWND list, std::initializer_list<int> rows) {
  for (int row : rows) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

class WallpapersWindow : public ::testing::Test {
 protected:
  WallpapersWindow() {
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
  TWallpapersForm form;
  Rows applied;
};

TEST_F(WallpapersWindow, ShowsTheStoredListDeletesARangeAndStoresTheRest) {
  ASSERT_TRUE(StoreWallpaperRows({"Tile=C:\\a.bmp", "Stretch=C:\\b.jpg", "Center=C:\\c.png"}, true));
  form.Show();
  EXPECT_EQ(Shown(List()), (Rows{"Tile=C:\\a.bmp", "Stretch=C:\\b.jpg", "Center=C:\\c.png"}));
  RECT list{};
  GetClientRect(List(), &list);
  EXPECT_GE(list.right, 640);
  EXPECT_GE(list.bottom, 300);

  form.SetRows({"Tile=C:\\a.bmp", "Center=C:\\b.bmp", "Center=C:\\c.bmp", "Tile=C:\\y.jpg", "Stretch=C:\\z.jpg",
                "Stretch=C:\\x.jpg"});
  // A contiguous range goes at once.
  form.List().SetCurrentRow(-1);
  Select(List(), {1, 2, 3});
  Click(ButtonNamed("Delete"));
  EXPECT_EQ(Shown(List()), (Rows{"Tile=C:\\a.bmp", "Stretch=C:\\z.jpg", "Stretch=C:\\x.jpg"}));

  Click(ButtonNamed("OK"));
  EXPECT_FALSE(form.Visible());
  std::vector<WallpaperListItem> stored;
  ASSERT_TRUE(LoadWallpapersList(stored));
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[2].wallpaper, (TWallpaper{2, "C:\\x.jpg"}));
}

TEST_F(WallpapersWindow, KeyboardReachesEveryControlAndEveryTextFits) {
  form.Show();
  test::ExpectTabReachesEveryControlOnce(application, form);
  test::ExpectEveryTextFitsAt96And144Dpi(form);
}

TEST_F(WallpapersWindow, StyleCyclesOnSpaceAndFileColumnDoubleClicks) {
  form.Show();
  form.SetRows({"Center=C:\\a.bmp", "odd=C:\\b.bmp"});
  form.List().SetCurrentRow(0);
  int styleColumn = int(SendMessageW(List(), LVM_GETCOLUMNWIDTH, 0, 0));
  DoubleClick(styleColumn / 2);
  EXPECT_EQ(Cell(List(), 0, 0), "Center") << "the style column does not cycle";
  DoubleClick(styleColumn + 20);
  EXPECT_EQ(Cell(List(), 0, 0), "Tile");
  SendMessageW(List(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Cell(List(), 0, 0), "Stretch");
  SendMessageW(List(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Cell(List(), 0, 0), "Center");

  form.List().SetCurrentRow(1);
  // Insert and "Change" apply the current row, read strictly.
  SendMessageW(List(), WM_KEYDOWN, VK_INSERT, 0);
  form.List().SetCurrentRow(0);
  Click(ButtonNamed("Change"));
  EXPECT_EQ(applied, (Rows{"0 C:\\b.bmp", "0 C:\\a.bmp"}));
}

TEST_F(WallpapersWindow, CheckedBoxOverNoRowsSavesTheChangerOff) {
  ASSERT_TRUE(StoreWallpaperRows({"Tile=C:\\a.bmp"}, true));
  form.Show();
  Click(ButtonNamed("Clear"));
  EXPECT_FALSE(form.ChangerCheck().Enabled());
  EXPECT_EQ(form.ChangerCheck().Text(), "Changer OFF");
  Click(ButtonNamed("OK"));
  bool on = true;
  ReadWallpapersState(on);
  EXPECT_FALSE(on);
  EXPECT_EQ(LoadWallpaperRows(), Rows{});
}

TEST_F(WallpapersWindow, FileDesktopAndRegistryFailuresAreShownAndChangeNothing) {
  form.Show();
  form.SetRows({"Tile=C:\\a.bmp"});
  form.TakeOpenAnswer({dir.File("missing.cvw")}, 2);
  form.SaveRowsTo(dir.File("no-folder\\list.cvw"));
  EXPECT_EQ(form.Rows(), (Rows{"Tile=C:\\a.bmp"}));
  EXPECT_EQ(test::MessageBoxes().size(), 2u);

  std::string list = dir.File("list.cvw");
  form.SaveRowsTo(list);
  form.SetRows({});
  form.TakeOpenAnswer({list}, 2);
  EXPECT_EQ(Shown(List()), (Rows{"Tile=C:\\a.bmp"}));

  form.applyWallpaper = [](uint32_t, const std::string&) { throw std::runtime_error("The desktop refused."); };
  form.List().SetCurrentRow(0);
  Click(ButtonNamed("Change"));
  ASSERT_EQ(test::MessageBoxes().size(), 3u);
  EXPECT_EQ(test::MessageBoxes().back().text, "The desktop refused.");
  EXPECT_TRUE(form.Visible());

  {
    test::ScopedFailingWrites failing(0);
    Click(ButtonNamed("OK"));
  }
  ASSERT_EQ(test::MessageBoxes().size(), 4u);
  EXPECT_EQ(test::MessageBoxes().back().text, "The wallpapers list could not be stored in the registry.");
  EXPECT_TRUE(form.Visible()) << "the rows stay for another try";
}

TEST_F(WallpapersWindow, ListFileStartShowsTheFileAndEndsOnClose) {
  std::string list = dir.File("start.cvw");
  test::WriteWholeFile(list, "Stretch=C:\\sea.jpg\r\nTile=C:\\dots.bmp\r\n");
  ASSERT_TRUE(StoreWallpaperRows({"Center=C:\\other.bmp"}, false));
  form.SetStartFile(list);
  form.Show();
  EXPECT_EQ(Shown(List()), (Rows{"Stretch=C:\\sea.jpg", "Tile=C:\\dots.bmp"}));
  EXPECT_FALSE(application.Terminated());
  Click(ButtonNamed("Cancel"));
  EXPECT_TRUE(application.Terminated());
  EXPECT_EQ(LoadWallpaperRows(), (Rows{"Center=C:\\other.bmp"})) << "Cancel stores nothing";
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

TEST_F(WallpapersWindow, LoadAndAddShareTheOpenDialogByFilter) {
  form.Show();
  std::string list = dir.File("saved.cvw"), image = dir.File("sea.jpg");
  test::WriteWholeFile(list, "Tile=C:\\dots.bmp\r\n");
  test::WriteWholeFile(image, "not really a picture");
  form.SetRows({"Center=C:\\old.bmp"});

  AnswerOpenDialogWith(list);
  Click(ButtonNamed("Load"));
  EXPECT_EQ(form.Rows(), (Rows{"Tile=C:\\dots.bmp"}));
  AnswerOpenDialogWith(image);
  Click(ButtonNamed("Add"));
  EXPECT_EQ(form.Rows(), (Rows{"Tile=C:\\dots.bmp", "Stretch=" + image}));
}

// The main window's operations as the tool windows reach them.
class FakeMain final : public ToolFormHost {
 public:
  void HandleHotKey(gui::Key key, gui::Shift) override { keys.push_back(key); }
  BackgroundColor GetBackgroundColor() override { return color; }
  void SetBackgroundColor(BackgroundColor c) override { sent.push_back(color = c); }
  uint8_t GetSyncMode() override { return syncMode; }
  void SetSyncMode(uint8_t mode) override { syncMode = mode; }
  uint8_t GetVSync() override { return vsync; }
  void SetVSync(uint8_t state) override { vsync = state; }
  ThreadPriority DrawerPriority() const override { return draw; }
  void SetDrawerPriority(ThreadPriority p) override { draw = p; }
  ThreadPriority CalcPriority() const override { return calc; }
  void SetCalcPriority(ThreadPriority p) override { calc = p; }

  std::vector<gui::Key> keys;
  BackgroundColor color{10, 20, 30, 255};
  std::vector<BackgroundColor> sent;
  uint8_t syncMode = 1, vsync = 0;
  ThreadPriority draw = ThreadPriority::Highest, calc = ThreadPriority::Lower;
};

HWND ComboEdit(gui::ComboBox& box) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(box.Handle(), &parts);
  return parts.hwndItem;
}

void Type(HWND window, std::wstring_view text) {
  for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 0);
}

class ToolForms : public ::testing::Test {
 protected:
  test::ScopedTestRegistry registry{SystemRegistry()};
  gui::Application application;
  FakeMain main;
  ToolFormHost& host = main;
};

TEST_F(ToolForms, BackgroundRowsStayInStepAndSendEveryChange) {
  TBackgroundForm form(host);
  form.Tool().Show();
  EXPECT_TRUE(form.Shown());
  auto& red = form.RowAt(0);
  EXPECT_EQ(red.number->Text(), "10");
  EXPECT_EQ(form.RowAt(3).slider->Position(), 255);
  EXPECT_EQ(form.RowAt(2).upDown->Position(), 30);

  HWND edit = ComboEdit(*red.number);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  Type(edit, L"25");
  EXPECT_EQ(red.slider->Position(), 25);
  EXPECT_EQ(red.upDown->Position(), 25);
  EXPECT_EQ(main.sent.back(), (BackgroundColor{25, 20, 30, 255}));

  SendMessageW(form.RowAt(1).slider->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(main.sent.back(), (BackgroundColor{25, 21, 30, 255}));
  EXPECT_EQ(form.RowAt(1).number->Text(), "21");
  EXPECT_EQ(form.RowAt(1).upDown->Position(), 21);

  // Another road set the colour while the window is hidden.
  form.Tool().Hide();
  EXPECT_FALSE(form.Shown());
  form.ColorChanged({255, 0, 0, 128});
  EXPECT_EQ(red.number->Text(), "255");
  EXPECT_EQ(form.RowAt(3).slider->Position(), 128);

  form.Tool().Show();
  PostMessageW(edit, WM_KEYDOWN, VK_F1, 0);
  application.ProcessMessages();
  EXPECT_EQ(main.keys, (std::vector<gui::Key>{VK_F1}));
}

TEST_F(ToolForms, EnhancedSettingsShowTheLevelsInForceAndSetThem) {
  TEnhancedForm form(host);
  form.Tool().Show();
  SendMessageW(form.CalcList().Handle(), WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(main.calc, ThreadPriority::TimeCritical);
  SendMessageW(form.DrawList().Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(main.draw, ThreadPriority::Idle);
  // The saver's monitors choice is stored at once.
  EXPECT_EQ(form.MonitorsList().Items(), (std::vector<std::string>{"Span", "Each monitor", "Primary only"}));
  EXPECT_EQ(form.MonitorsList().ItemIndex(), 0);
  SendMessageW(form.MonitorsList().Handle(), WM_KEYDOWN, VK_END, 0);
  MonitorsMode stored = MonitorsMode::Span;
  EXPECT_TRUE(ReadMonitorsMode(stored));
  EXPECT_EQ(stored, MonitorsMode::PrimaryOnly);

  // Changed elsewhere: shown again as in force.
  form.Tool().Hide();
  main.syncMode = 0;
  main.vsync = 2;
  main.calc = ThreadPriority::Normal;
  form.Tool().Show();
  EXPECT_EQ(form.SyncList().Item(form.SyncList().ItemIndex()), "None");
  EXPECT_EQ(form.CalcList().Item(form.CalcList().ItemIndex()), "Normal");
  ASSERT_TRUE(form.VSyncCheck().Enabled());
  EXPECT_FALSE(form.VSyncCheck().Checked());
  Click(form.VSyncCheck().Handle());
  EXPECT_EQ(main.vsync, 1);

  PostMessageW(form.SyncList().Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  application.ProcessMessages();
  EXPECT_EQ(main.keys, (std::vector<gui::Key>{VK_ESCAPE}));
}

TEST_F(ToolForms, KeyboardReachesEveryControlAndEveryTextFits) {
  TBackgroundForm background(host);
  TEnhancedForm enhanced(host);
  background.Tool().Show();
  enhanced.Tool().Show();
  for (gui::Form* form : std::initializer_list<gui::Form*>{&background, &enhanced}) {
    test::ExpectTabReachesEveryControlOnce(application, *form);
    test::ExpectEveryTextFitsAt96And144Dpi(*form);
  }
}

}  // namespace
}  // namespace corvane
