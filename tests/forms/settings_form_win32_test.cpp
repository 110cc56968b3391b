// The configuration dialog and its colour rows with real windows and real
// messages, under Wine; the registry is one in memory. The list's rules are
// checked natively (settings_list_test) and the rows' (combo_edit_rules_test);
// here only their wiring, the preview and the layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "../presets/test_registry.h"
#include "forms/configuration/settings_form_win32.h"
#include "presets/memory_registry.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"
#include "support/form_checks.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

// The dialog's buttons and check boxes by their text, as another program finds them.
HWND Button(HWND form, const wchar_t* text) { return FindWindowExW(form, nullptr, L"Button", text); }
void Click(HWND form, const wchar_t* text) { SendMessageW(Button(form, text), BM_CLICK, 0, 0); }

class SettingsFormTest : public ::testing::Test {
 protected:
  std::vector<uint8_t> Picture(TSettingsForm& form) {
    PixelBlock block = form.PreviewDrawer().GetPixels();
    if (!block.pixels) return {};
    return std::vector<uint8_t>(block.pixels.get(), block.pixels.get() + size_t(block.width) * block.height * 3);
  }
  void TearDown() override { EXPECT_EQ(log.Contents(), ""); }

  gui::Application application;
  MemoryRegistry backend;
  test::ScopedTestRegistry registry{backend};
  test::TempDir dir;
  test::ScopedErrorLog log;
};

TEST_F(SettingsFormTest, KeyboardReachesEveryControlAndEveryTextFits) {
  TSettingsForm form;
  form.Show();
  // Measured before the preview starts (the show posts its start): under
  // Wine, a move to another dpi while a thread draws into the window may
  // never return.
  test::ExpectEveryTextFitsAt96And144Dpi(form);
  EXPECT_FALSE(form.PreviewOnScreen());
  test::ExpectTabReachesEveryControlOnce(application, form);
}

TEST_F(SettingsFormTest, ShowsTheStoredFlagsAndThePickedPresetsColours) {
  WriteListParam("Alpha", 46, 0.5);
  WriteListParam("Beta", 46, 0.25);
  WriteCurrentPresetName("Beta");
  WriteShuffleMode(true);
  WriteMonitorsMode(MonitorsMode::EachMonitor);
  TSettingsForm form;
  form.Show();
  HWND handle = form.Handle();
  EXPECT_EQ(form.MonitorsList().Item(form.MonitorsList().ItemIndex()), "Each monitor");
  EXPECT_EQ(SendMessageW(Button(handle, L"Shuffle"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(form.ColourRows().Box(1).Text(), "0.25");
  // The rows keep to the right edge of the dialog.
  RECT rows{}, client{};
  GetWindowRect(form.ColourRows().Handle(), &rows);
  MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&rows), 2);
  GetClientRect(handle, &client);
  EXPECT_LE(rows.right, client.right);
  EXPECT_GT(rows.left, 273);

  HWND list = FindWindowExW(handle, nullptr, L"ComboBox", nullptr);  // the first: the presets
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  SendMessageW(handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(form.ColourRows().Box(1).Text(), "0.5");
}

TEST_F(SettingsFormTest, DeleteIsWrittenAtOnceAndAddEditsAndFlagsOnOk) {
  WriteListParam("Gone", 46, 0.9);
  WriteCurrentPresetName("Gone");
  TPresetParams added = TPresetParams::Defaults();
  added.SetValue(46, 0.2);
  WritePresetFile(dir.File("B.cvp"), added);
  TSettingsForm form;
  form.chooseFiles = [&] { return std::optional(std::vector<std::string>{dir.File("B.cvp")}); };
  form.Show();
  HWND handle = form.Handle();
  Click(handle, L"Delete");
  std::vector<std::string> names;
  ListPresetNames(names);
  EXPECT_TRUE(names.empty());

  Click(handle, L"Add");
  EXPECT_EQ(form.PreviewDrawer().GetParam(46), 0.2);
  test::PasteIntoCombo(form.ColourRows().Box(2).Handle(), "0.75");
  EXPECT_EQ(form.PreviewDrawer().GetParam(47), 0.75);
  Click(handle, L"Random");
  Click(handle, L"Evolve");
  Click(handle, L"OK");
  double stored = 0;
  ReadListParam("B", 47, stored);
  EXPECT_EQ(stored, 0.75);
  bool random = false, evolve = false;
  ReadRandomMode(random);
  ReadEvolveMode(evolve);
  EXPECT_TRUE(random && evolve);
}

TEST_F(SettingsFormTest, ThePreviewDrawsIntoThePanelAndRunsOnAfterAnUnreadableFile) {
  TSettingsForm form;
  const std::string missing = dir.File("missing.cvp");
  form.chooseFiles = [&] { return std::optional(std::vector<std::string>{missing}); };
  form.Show();
  application.ProcessMessages();
  EXPECT_TRUE(form.PreviewOnScreen()) << "once the show has ended";
  ASSERT_TRUE(test::WaitUntil([&] {
    application.ProcessMessages();
    const std::vector<uint8_t> picture = Picture(form);
    return std::any_of(picture.begin(), picture.end(), [](uint8_t v) { return v != 0; });
  })) << "the preview stayed dark";
  // The picture is the panel's inside (273 x 217 at 96 dpi less its border).
  PixelBlock block = form.PreviewDrawer().GetPixels();
  EXPECT_GT(block.width, 200);
  EXPECT_GT(block.height, 150);
  EXPECT_LT(block.width, 300);

  test::ClearMessageBoxes();
  Click(form.Handle(), L"Add");
  ASSERT_EQ(test::MessageBoxes().size(), 1u);
  EXPECT_EQ(test::MessageBoxes()[0].text, test::Raised<EFileError>([&] { ReadPresetFile(missing); }));
  const std::vector<uint8_t> first = Picture(form);
  EXPECT_TRUE(test::WaitUntil([&] {
    application.ProcessMessages();
    return Picture(form) != first;
  })) << "the preview stopped";
}

TEST(ComboEditWin32, RowsFilterKeysResetWhatIsNoNumberStepAndKeepHistory) {
  gui::Application application;
  gui::Form form({.caption = "Rows", .client = {400, 280}});
  TComboEdit rows({.parent = &form, .bounds = {0, 0, 400, 260}, .labelLeft = 4, .top = 6, .minLabelWidth = 110});
  gui::Edit elsewhere({.parent = &form, .bounds = {0, 250, 50, 21}});
  std::vector<std::pair<int, double>> fired;
  rows.onValueChange = [&](int row, double value) { fired.emplace_back(row, value); };
  form.Show();

  rows.SetRowValue(1, 6);
  // Letters never reach a box; text pasted that is no number goes back.
  HWND edit = test::ComboEditField(rows.Box(2).Handle());
  for (wchar_t key : {L'a', L'-'}) SendMessageW(edit, WM_CHAR, key, 0);
  EXPECT_EQ(rows.Box(2).Text(), "-");
  test::PasteIntoCombo(rows.Box(3).Handle(), "abc");
  EXPECT_EQ(rows.Box(3).Text(), "0");
  // A click on the upper arrow steps the row.
  RECT arrows{};
  GetClientRect(rows.Arrows(1).Handle(), &arrows);
  SendMessageW(rows.Arrows(1).Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrows.right / 2, 2));
  SendMessageW(rows.Arrows(1).Handle(), WM_LBUTTONUP, 0, MAKELPARAM(arrows.right / 2, 2));
  application.ProcessMessages();
  EXPECT_EQ(fired, (std::vector<std::pair<int, double>>{{1, 7}})) << "only the user's new values fire";

  // Leaving a box keeps its text in the drop-down list, once.
  for (int round = 0; round < 2; ++round) {
    SetFocus(edit);
    SetFocus(elsewhere.Handle());
  }
  EXPECT_EQ(rows.Box(2).Items(), (std::vector<std::string>{"-"}));
  rows.ClearHistory();
  EXPECT_TRUE(rows.Box(1).Items().empty()) << "the value set by the program is history too";
  EXPECT_EQ(rows.Box(1).Text(), "7");
}

}  // namespace
}  // namespace corvane
