// The configuration dialog and its colour rows with real windows and real
// messages, under Wine; the registry is one in memory.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "../presets/test_registry.h"
#include "forms/configuration/settings_form_win32.h"
#include "os/text_win32.h"
#include "presets/memory_registry.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"
#include "support/form_checks.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

void PumpUntil(gui::Application& application, const std::function<bool()>& done, const char* what) {
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    ASSERT_LT(std::chrono::steady_clock::now(), limit) << "still waiting for " << what;
    application.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return Narrow(name);
}

// The form's child with this system class and text, found as another
// program would find it.
HWND Child(HWND form, const std::string& systemClass, const std::string& text) {
  struct Search {
    std::string systemClass, text;
    HWND found = nullptr;
  } search{systemClass, text};
  EnumChildWindows(
      form,
      [](HWND child, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (_stricmp(ClassOf(child).c_str(), s.systemClass.c_str()) == 0 && test::WindowText(child) == s.text) {
          s.found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND PresetList(HWND form) {
  HWND found = nullptr;
  EnumChildWindows(
      form,
      [](HWND child, LPARAM data) -> BOOL {
        if (ClassOf(child) == "ComboBox" && (GetWindowLongW(child, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) {
          *reinterpret_cast<HWND*>(data) = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  for (int i = 0, count = int(SendMessageW(list, CB_GETCOUNT, 0, 0)); i < count; ++i) {
    wchar_t text[256] = {};
    SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(Narrow(text));
  }
  return items;
}

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

using test::PasteIntoCombo;
HWND EditOf(HWND combo) { return test::ComboEditField(combo); }

std::string StoredName() {
  std::string name = "?";
  ReadCurrentPresetName(name);
  return name;
}

double Stored(const std::string& preset, int number) {
  double value = -1;
  ReadListParam(preset, number, value);
  return value;
}

class SettingsFormTest : public ::testing::Test {
 protected:
  void Store(const std::string& name, double red) {
    TPresetParams preset = TPresetParams::Defaults();
    preset.SetValue(46, red);
    for (int n = 1; n <= kParamCount; ++n) WriteListParam(name, n, preset.GetValue(n));
  }
  std::string PresetFile(const std::string& name, double red) {
    TPresetParams preset = TPresetParams::Defaults();
    preset.SetValue(46, red);
    std::string path = dir.File(name + ".cvp");
    WritePresetFile(path, preset);
    return path;
  }
  std::vector<std::string> StoredNames() {
    std::vector<std::string> names;
    ListPresetNames(names);
    return names;
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

TEST_F(SettingsFormTest, ShowsTheStoredFlagsAndTheChosenPresetsValues) {
  Store("Alpha", 0.5);
  Store("Beta", 0.25);
  WriteCurrentPresetName("beta");
  WriteShuffleMode(true);
  WriteMonitorsMode(MonitorsMode::EachMonitor);
  TSettingsForm form;
  form.Show();
  HWND handle = form.Handle();
  EXPECT_EQ(test::WindowText(handle), "Corvane Screen Saver");
  EXPECT_EQ(form.MonitorsList().Item(form.MonitorsList().ItemIndex()), "Each monitor");
  EXPECT_EQ(SendMessageW(Child(handle, "Button", "Random"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(Child(handle, "Button", "Shuffle"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(form.ColourRows().Box(1).Text(), "0.25");
  EXPECT_EQ(form.ColourRows().GetRowValue(2), ParamDefault(47));
  EXPECT_EQ(form.PreviewDrawer().GetParam(46), 0.25);
  // The rows keep to the right edge of the dialog.
  RECT rows{}, client{};
  GetWindowRect(form.ColourRows().Handle(), &rows);
  MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&rows), 2);
  GetClientRect(handle, &client);
  EXPECT_LE(rows.right, client.right);
  EXPECT_GT(rows.left, 273);

  // Another entry shows its values in the preview and the rows.
  HWND list = PresetList(handle);
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  SendMessageW(handle, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(form.PreviewDrawer().GetParam(46), 0.5);
  EXPECT_EQ(form.ColourRows().Box(1).Text(), "0.5");
}

TEST_F(SettingsFormTest, ThePreviewThreadDrawsTheFigureIntoThePanel) {
  TSettingsForm form;
  form.Show();
  // Not inside the show: only once the dialog is on the screen.
  EXPECT_FALSE(form.PreviewOnScreen());
  application.ProcessMessages();
  EXPECT_TRUE(form.PreviewOnScreen());
  const auto lit = [&] {
    const PixelBlock block = form.PreviewDrawer().GetPixels();
    const size_t size = size_t(block.width) * size_t(block.height) * 3;
    return block.pixels && std::any_of(block.pixels.get(), block.pixels.get() + size, [](uint8_t v) { return v; });
  };
  PumpUntil(application, lit, "a lit preview");
  // The picture is the panel's inside (273 x 217 at 96 dpi less its border).
  PixelBlock block = form.PreviewDrawer().GetPixels();
  EXPECT_GT(block.width, 200);
  EXPECT_GT(block.height, 150);
  EXPECT_LT(block.width, 300);
}

TEST_F(SettingsFormTest, DeleteIsWrittenAtOnceAndAddEditsAndFlagsOnlyOnOk) {
  Store("Gone", 0.9);
  WriteCurrentPresetName("Gone");
  TSettingsForm form;
  form.chooseFiles = [&] { return std::optional(std::vector<std::string>{PresetFile("B", 0.2)}); };
  form.Show();
  HWND handle = form.Handle(), list = PresetList(handle);
  Click(Child(handle, "Button", "Delete"));
  EXPECT_TRUE(StoredNames().empty());
  EXPECT_EQ(StoredName(), "");

  Click(Child(handle, "Button", "Add"));
  EXPECT_EQ(ListItems(list), (std::vector<std::string>{"B"}));
  EXPECT_EQ(form.PreviewDrawer().GetParam(46), 0.2);
  // A colour typed into a row reaches the preview and the selected entry.
  PasteIntoCombo(form.ColourRows().Box(2).Handle(), "0.75");
  EXPECT_EQ(form.PreviewDrawer().GetParam(47), 0.75);
  Click(Child(handle, "Button", "Random"));
  Click(Child(handle, "Button", "Evolve"));
  SendMessageW(form.MonitorsList().Handle(), CB_SETCURSEL, 2, 0);
  EXPECT_TRUE(StoredNames().empty()) << "nothing written before OK";

  Click(Child(handle, "Button", "OK"));
  EXPECT_EQ(StoredNames(), (std::vector<std::string>{"B"}));
  EXPECT_EQ(Stored("B", 46), 0.2);
  EXPECT_EQ(Stored("B", 47), 0.75);
  EXPECT_EQ(StoredName(), "B");
  bool random = false, evolve = false;
  ReadRandomMode(random);
  ReadEvolveMode(evolve);
  EXPECT_TRUE(random);
  EXPECT_TRUE(evolve);
  MonitorsMode monitors = MonitorsMode::Span;
  ReadMonitorsMode(monitors);
  EXPECT_EQ(monitors, MonitorsMode::PrimaryOnly);
  EXPECT_FALSE(IsWindowVisible(handle));
}

TEST_F(SettingsFormTest, AnUnreadableFileShowsTheSystemsMessageAndThePreviewRunsOn) {
  std::vector<std::string> chosen = {PresetFile("A", 0.1), PresetFile("B", 0.2), dir.File("missing.cvp")};
  TSettingsForm form;
  form.chooseFiles = [&] { return std::optional(chosen); };
  form.Show();
  test::ClearMessageBoxes();
  Click(Child(form.Handle(), "Button", "Add"));
  std::vector<MessageBoxRequest> boxes = test::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, test::Raised<EFileError>([&] { ReadPresetFile(chosen[2]); }));

  // The preview runs again: the picture keeps changing.
  const auto picture = [&] {
    PixelBlock block = form.PreviewDrawer().GetPixels();
    return std::vector<uint8_t>(block.pixels.get(), block.pixels.get() + size_t(block.width) * block.height * 3);
  };
  std::vector<uint8_t> first = picture();
  PumpUntil(application, [&] { return picture() != first; }, "a moving preview");
  Click(Child(form.Handle(), "Button", "Cancel"));
  EXPECT_TRUE(StoredNames().empty());
}

class HostForm final : public gui::Form {
 public:
  HostForm() : Form({.caption = "Rows", .client = {400, 280}}) {}
  const char* ClassName() const noexcept override { return "THostForm"; }
};

TEST(ComboEditWin32, RowsFilterKeysResetWhatIsNoNumberAndKeepHistory) {
  gui::Application application;
  HostForm form;
  TComboEdit rows({.parent = &form, .bounds = {0, 0, 400, 260}, .labelLeft = 4, .top = 6, .minLabelWidth = 110});
  gui::Edit elsewhere({.parent = &form, .bounds = {0, 250, 50, 21}});
  std::vector<std::pair<int, double>> fired;
  rows.onValueChange = [&](int row, double value) { fired.emplace_back(row, value); };
  form.Show();

  rows.SetRowValue(1, 0.06);
  EXPECT_TRUE(fired.empty());
  // Letters never reach a box; text pasted that is no number goes back.
  HWND edit = EditOf(rows.Box(2).Handle());
  for (wchar_t key : {L'a', L'-'}) SendMessageW(edit, WM_CHAR, key, 0);
  EXPECT_EQ(rows.Box(2).Text(), "-");
  PasteIntoCombo(rows.Box(3).Handle(), "abc");
  EXPECT_EQ(rows.Box(3).Text(), "0");
  EXPECT_TRUE(fired.empty());
  PasteIntoCombo(rows.Box(4).Handle(), "2.5");
  EXPECT_EQ(fired, (std::vector<std::pair<int, double>>{{4, 2.5}}));

  // Leaving a box keeps its text in the drop-down list, once.
  for (int round = 0; round < 2; ++round) {
    SetFocus(edit);
    SetFocus(elsewhere.Handle());
  }
  EXPECT_EQ(rows.Box(2).Items(), (std::vector<std::string>{"-"}));
  rows.ClearHistory();
  EXPECT_TRUE(rows.Box(1).Items().empty());
  EXPECT_EQ(rows.Box(1).Text(), "0.06");
}

}  // namespace
}  // namespace corvane
