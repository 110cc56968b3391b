// The widget layer's controls with real windows and real messages, under Wine.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/file_dialogs_win32.h"
#include "gui/gui_win32.h"
#include "gui/value_grid_win32.h"
#include "os/text_win32.h"
#include "support/test_window.h"

namespace corvane::gui {
namespace {

class PlainForm final : public Form {
 public:
  PlainForm() : Form({.caption = "Controls", .client = {400, 300}}) { Show(); }
  const char* ClassName() const noexcept override { return "TPlainForm"; }
};

void Type(HWND window, std::wstring_view text) {
  for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 0);
}

class GuiControls : public ::testing::Test {
 protected:
  Application application;
  PlainForm form;
};

TEST_F(GuiControls, ChoiceControlsReportTheUsersChangesOnly) {
  std::vector<std::string> events;
  CheckBox random({.parent = &form, .bounds = {10, 10, 80, 17}, .font = {.bold = true}, .text = "Random"});
  random.onClick = [&] { events.push_back(random.Checked() ? "checked" : "unchecked"); };
  random.SetChecked(true);
  SendMessageW(random.Handle(), BM_CLICK, 0, 0);

  RadioGroup blending({.parent = &form, .bounds = {0, 40, 329, 41}, .caption = " Blending ",
                       .items = {"1", "2", "3", "4", "5", "6", "7"}, .columns = 7, .itemIndex = 0});
  blending.onClick = [&] { events.push_back("blending " + std::to_string(blending.ItemIndex())); };
  SendMessageW(blending.ItemHandle(3), BM_CLICK, 0, 0);
  SendMessageW(blending.ItemHandle(3), BM_CLICK, 0, 0);
  blending.SetItemIndex(5);
  EXPECT_EQ(SendMessageW(blending.ItemHandle(5), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(blending.ItemHandle(3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_THROW(blending.SetItemIndex(7), EGuiError);
  // The arrows move the choice within the group, as the user's click does.
  SetFocus(blending.ItemHandle(5));
  for (WPARAM key : {VK_RIGHT, VK_UP, VK_UP}) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    application.ProcessMessages();
  }
  EXPECT_EQ(GetFocus(), blending.ItemHandle(4));
  EXPECT_EQ(SendMessageW(blending.ItemHandle(4), BM_GETCHECK, 0, 0), BST_CHECKED);

  TrackBar blur({.parent = &form, .bounds = {0, 90, 313, 33}, .min = 0, .max = 255, .pageSize = 8,
                 .tickFrequency = 8, .ticksOnTop = true});
  blur.onChange = [&] { events.push_back("blur " + std::to_string(blur.Position())); };
  blur.SetPosition(8);
  SendMessageW(blur.Handle(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(SendMessageW(blur.Handle(), TBM_GETPAGESIZE, 0, 0), 8);

  UpDown channel({.parent = &form, .bounds = {300, 10, 17, 21}, .min = 0, .max = 255, .position = 254});
  channel.onChanging = [&](UpDownEvent& e) {
    events.push_back("changing " + std::to_string(e.position) + (e.delta > 0 ? " up" : " down"));
    e.allow = e.position + e.delta <= 255;
  };
  channel.onClick = [&](bool up) { events.push_back(up ? "clicked up" : "clicked down"); };
  for (int i = 0; i < 2; ++i) {
    SendMessageW(channel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 3));
    SendMessageW(channel.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 3));
  }
  EXPECT_EQ(channel.Position(), 255) << "the refused step kept the position";

  EXPECT_EQ(events, (std::vector<std::string>{"unchecked", "blending 3", "blending 6", "blending 5", "blending 4",
                                              "blur 16", "changing 254 up", "clicked up", "changing 255 up"}));
}

TEST_F(GuiControls, TextControlsFilterTypingAndKeepTheirItems) {
  Edit number({.parent = &form, .bounds = {10, 10, 180, 21}, .maxLength = 18});
  int changes = 0;
  number.onChange = [&] { ++changes; };
  number.onKeyPress = [](CharEvent& e) {
    if (e.character != L'\b' && e.character != L'-' && e.character != L'.' && !iswdigit(e.character)) e.character = 0;
  };
  number.SetFocus();
  Type(number.Handle(), L"1x.5a");
  EXPECT_EQ(number.Text(), "1.5");
  EXPECT_EQ(changes, 3);

  Edit info({.parent = &form, .bounds = {10, 40, 300, 100}, .multiLine = true, .readOnly = true,
             .verticalScroll = true});
  info.SetLines({"", "Hot keys:", "", "ESC    -  Exit"});
  EXPECT_EQ(SendMessageW(info.Handle(), EM_GETLINECOUNT, 0, 0), 4);
  EXPECT_TRUE(GetWindowLongPtrW(info.Handle(), GWL_STYLE) & ES_READONLY);

  ComboBox presets({.parent = &form, .bounds = {10, 150, 200, 21}, .items = {"b", "a", "c"}, .sorted = true,
                    .visibleRows = 16});
  EXPECT_EQ(presets.Items(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(presets.IndexOf("c"), 2);
  EXPECT_EQ(presets.IndexOf("C"), -1);
  int selections = 0;
  presets.onSelect = [&] { ++selections; };
  presets.SetItemIndex(1);
  EXPECT_EQ(selections, 0) << "setting the selection is not the user's pick";
  SendMessageW(presets.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(presets.ItemIndex(), 2);
  EXPECT_EQ(selections, 1);

  ComboBox value({.parent = &form, .bounds = {10, 180, 180, 21}, .editable = true, .maxLength = 18});
  value.onKeyPress = [](CharEvent& e) {
    if (!iswdigit(e.character)) e.character = 0;
  };
  int edits = 0;
  value.onChange = [&] { ++edits; };
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  ASSERT_TRUE(GetComboBoxInfo(value.Handle(), &parts));
  Type(parts.hwndItem, L"4a2");
  EXPECT_EQ(value.Text(), "42");
  EXPECT_EQ(edits, 2);
  value.AddItem("42");
  EXPECT_EQ(value.IndexOf("42"), 0);
}

TEST_F(GuiControls, ContainersHoldTheirControlsAndPassTheirEventsOn) {
  TabControl tabs({.parent = &form, .bounds = {0, 35, 329, 200}, .pages = {"Spec.", "Amp.", "Look At"}});
  Button onThird({.parent = &tabs.Page(2), .bounds = {4, 6, 60, 21}, .text = "Here"});
  int pageChanges = 0, clicks = 0;
  tabs.onChange = [&] { ++pageChanges; };
  onThird.onClick = [&] { ++clicks; };
  EXPECT_EQ(SendMessageW(tabs.Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_FALSE(IsWindowVisible(onThird.Handle()));
  SendMessageW(tabs.Handle(), TCM_SETCURFOCUS, 2, 0);
  EXPECT_EQ(tabs.ActivePage(), 2);
  EXPECT_EQ(pageChanges, 1);
  EXPECT_TRUE(IsWindowVisible(onThird.Handle()));
  SendMessageW(onThird.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1) << "a click inside a tab page";

  ToolBar bar({.parent = &form, .bounds = {0, 0, 0, 35}, .buttonFont = {.bold = true}});
  Button& stop = bar.AddButton("Stop");
  Button& full = bar.AddButton("Full");
  stop.onClick = [&] { stop.SetText(stop.Text() == "Stop" ? "Start" : "Stop"); };
  SendMessageW(stop.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(stop.Text(), "Start");
  RECT first, second;
  GetWindowRect(stop.Handle(), &first);
  GetWindowRect(full.Handle(), &second);
  EXPECT_EQ(second.left - first.left, 60);
  EXPECT_EQ(first.bottom - first.top, 21);

  Panel bottom({.parent = &form, .bounds = {0, 0, 0, 70}, .align = Align::Bottom});
  GroupBox group({.parent = &bottom, .bounds = {3, 3, 200, 60}, .caption = " Motion Blur = Off "});
  Button inGroup({.parent = &group, .bounds = {8, 20, 65, 25}, .text = "OK"});
  inGroup.onClick = [&] { ++clicks; };
  SendMessageW(inGroup.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2) << "a click inside a group box inside a panel";
  RECT client, panel;
  GetClientRect(form.Handle(), &client);
  GetWindowRect(bottom.Handle(), &panel);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&panel), 2);
  EXPECT_EQ(panel.bottom, client.bottom);
  EXPECT_EQ(panel.bottom - panel.top, 70);
  EXPECT_EQ(panel.right - panel.left, client.right);
}

TEST_F(GuiControls, LinkLabelsShowTheHandAndAnswerClicks) {
  Label web({.parent = &form, .bounds = {0, 168, 377, 17}, .font = {.height = 13, .underline = true},
             .text = "www.example.org", .alignment = TextAlign::Centre, .link = true});
  Label plain({.parent = &form, .bounds = {0, 64, 377, 20}, .text = "Version  ", .bevelled = true});
  int clicks = 0;
  web.onClick = [&] { ++clicks; };
  EXPECT_EQ(SendMessageW(web.Handle(), WM_NCHITTEST, 0, 0) == HTTRANSPARENT, false) << "it takes the mouse";
  EXPECT_TRUE(SendMessageW(web.Handle(), WM_SETCURSOR, WPARAM(web.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  SendMessageW(web.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(web.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  plain.SetText("Version  1.0.0.1");
  wchar_t text[32] = L"";
  GetWindowTextW(plain.Handle(), text, 32);
  EXPECT_EQ(Narrow(text), "Version  1.0.0.1") << "read through the window system";
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(web.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_TRUE(font.lfUnderline);
}

TEST_F(GuiControls, TheValueGridEditsOneValueAtATime) {
  ValueGrid grid({.parent = &form, .bounds = {0, 0, 228, 200}, .keys = {"Points", "Lines", "Ticks"}});
  grid.SetValues({"10", "", "ABSENT"});
  EXPECT_EQ(SendMessageW(grid.Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(test::ListViewText(grid.Handle(), 1, 0), "Lines");
  EXPECT_EQ(test::ListViewText(grid.Handle(), 2, 1), "ABSENT");

  std::vector<std::string> events;
  grid.onBeginEdit = [&](int row, std::string& text) {
    if (text.empty()) text = "EMPTY";
    events.push_back("begin " + std::to_string(row));
  };
  grid.onEditKeyPress = [&](CharEvent& e) {
    if (!iswdigit(e.character)) {
      e.character = 0;
      return;
    }
    if (grid.EditorText() == "EMPTY") grid.SetEditorText("");
  };
  grid.onEndEdit = [&](int row, std::string& value) {
    if (value.empty()) value = "EMPTY";
    events.push_back("end " + std::to_string(row));
  };
  grid.onChange = [&] { events.push_back("change"); };

  grid.SetRow(1);
  grid.BeginEdit();
  EXPECT_EQ(grid.EditorText(), "EMPTY");
  HWND editor = GetFocus();
  ASSERT_NE(editor, grid.Handle());
  Type(editor, L"x42");
  EXPECT_EQ(grid.EditorText(), "42");
  SendMessageW(editor, WM_KEYDOWN, VK_DOWN, 0);  // commits and edits the next row
  EXPECT_EQ(grid.Value(1), "42");
  EXPECT_EQ(test::ListViewText(grid.Handle(), 1, 1), "42");
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_TRUE(grid.Editing());
  Type(editor, L"7");
  SendMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(grid.Editing());
  EXPECT_EQ(grid.Value(2), "ABSENT") << "Esc drops the edit";
  grid.SetRow(0);
  grid.BeginEdit();
  grid.SetEditorText("");
  SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(grid.Value(0), "EMPTY");
  // Typing on a row replaces its value rather than adding to it.
  grid.SetRow(1);
  Type(grid.Handle(), L"5");
  EXPECT_EQ(grid.EditorText(), "5");
  EXPECT_EQ(events, (std::vector<std::string>{"begin 1", "end 1", "change", "begin 2", "begin 0", "end 0", "change",
                                              "begin 1"}));
}

TEST_F(GuiControls, TheSaveDialogAddsTheDefaultExtension) {
  // The dialog is modal: a timer of this thread answers it like a user.
  static std::wstring folder;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  folder = temp;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Save the preset");
    if (!dialog) return;
    KillTimer(nullptr, id);
    std::wstring name = folder + L"CorvaneDialogTest";
    // The explorer dialog's file name box is a combo box or an edit.
    if (!SetDlgItemTextW(dialog, cmb13, name.c_str())) SetDlgItemTextW(dialog, edt1, name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_NE(timer, 0u);
  std::optional<std::string> chosen = RunSaveDialog({.owner = &form, .title = "Save the preset",
                                                      .filter = "Preset files|*.cvp", .defaultExt = "cvp",
                                                      .fileName = "CorvanePreset", .overwritePrompt = true});
  KillTimer(nullptr, timer);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, Narrow(folder) + "CorvaneDialogTest.cvp");
}

}  // namespace
}  // namespace corvane::gui
