// The transfer window with real windows, real messages and the real
// clipboard, under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "desktop/open_url.h"
#include "forms/transfer/transfer_form_win32.h"
#include "os/sync.h"
#include "support/form_checks.h"
#include "support/stand_in_main_form_win32.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

// The clipboard through its 8-bit text format, as another program fills it.
void PutAnsiText(const std::string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}
std::string DefaultTransferText() { return BuildTransferText(PresetTransferCells(TPresetParams::Defaults())); }

class TransferWindow : public ::testing::Test {
 protected:
  TransferWindow() {
    test::ClearMessageBoxes();
    form.Show();
  }
  ~TransferWindow() override { SetBrowseTestHooks(std::nullopt); }

  HWND Grid() { return form.Grid().Handle(); }
  HWND Button(const char* caption) { return form.ButtonNamed(caption).Handle(); }
  void Click(const char* caption) { SendMessageW(Button(caption), BM_CLICK, 0, 0); }
  std::string Cell(int row) { return test::ListViewText(Grid(), row, 1); }
  bool OkEnabled() { return IsWindowEnabled(Button("OK")); }
  // Characters typed on the grid: the first opens the current row's editor.
  void Type(std::wstring_view keys) {
    for (wchar_t key : keys) SendMessageW(GetFocus(), WM_CHAR, key, 0);
  }
  void Key(UINT key) { SendMessageW(GetFocus(), WM_KEYDOWN, key, 0); }
  std::string EditorText() { return form.Grid().EditorText(); }
  void EditRow(int row) {
    form.Grid().SetRow(row);
    form.Grid().SetFocus();
  }

  // The editor: n / 10 unless set; "OK" is recorded.
  struct Target final : TransferTarget {
    double GetParam(int n) override { return values.count(n) ? values[n] : n / 10.0; }
    void SetParam(int n, double v) override { sent.emplace_back(n, v); }
    std::map<int, double> values{{1, 12}, {28, -2.0 / 3}, {69, 255}};
    std::vector<std::pair<int, double>> sent;
  };

  gui::Application application;
  test::StandInMainForm mainForm;
  Target target;
  std::map<int, double>& values = target.values;
  std::vector<std::pair<int, double>>& sent = target.sent;
  TTransferForm form{target};
};

TEST_F(TransferWindow, ShowsTheTargetAndReloadsIt) {
  EXPECT_EQ(form.Text(), "Transfer");
  EXPECT_TRUE(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  ASSERT_EQ(SendMessageW(Grid(), LVM_GETITEMCOUNT, 0, 0), kParamCount);
  EXPECT_EQ(test::ListViewText(Grid(), 0, 0), "Points");
  EXPECT_EQ(test::ListViewText(Grid(), 68, 0), "MotionBlur");
  EXPECT_EQ(Cell(0), "12");
  EXPECT_EQ(Cell(1), "0.2");
  EXPECT_EQ(Cell(27), "-0.666666666666667");
  values[2] = 1e15;  // cannot be written as number text
  Click("Reload");
  EXPECT_EQ(Cell(0), "12");
  EXPECT_EQ(Cell(1), "ERROR");
  EXPECT_FALSE(OkEnabled());
}

TEST_F(TransferWindow, TypingFollowsTheCellRulesAndLeavingACellMarksIt) {
  EditRow(0);
  Type(L"-");
  ASSERT_TRUE(form.Grid().Editing());
  EXPECT_EQ(EditorText(), "-12");
  Type(L"+.5");
  Key(VK_RETURN);
  EXPECT_EQ(Cell(0), "12.5");
  EXPECT_TRUE(OkEnabled());
  // A key typed on a cell replaces its value, and the status and OK follow
  // each key, before the edit ends.
  EditRow(1);
  Type(L".");
  EXPECT_EQ(EditorText(), ".");
  EXPECT_EQ(form.StatusText(), "Status : ERROR values is detected");
  EXPECT_FALSE(OkEnabled());
  Type(L"5");
  EXPECT_EQ(form.StatusText(), "Status : OK");
  EXPECT_TRUE(OkEnabled());
  Key(VK_RETURN);
  EXPECT_EQ(Cell(1), ".5");

  Click("Clear");
  EditRow(3);
  Key(VK_F2);  // opens the editor without typing
  EXPECT_EQ(EditorText(), "EMPTY");
  Type(L"7");
  EXPECT_EQ(EditorText(), "7") << "a marker is emptied before the key";
  Key(VK_DOWN);  // leaves row 3 and edits row 4
  EXPECT_EQ(Cell(3), "7");
  Type(L"-");
  EXPECT_EQ(EditorText(), "-");
  // Leaving a cell through the focus, as a click elsewhere does.
  SetFocus(Button("Copy"));
  EXPECT_FALSE(form.Grid().Editing());
  EXPECT_EQ(Cell(4), "ERROR");
  EXPECT_EQ(form.StatusText(), "Status : EMPTY, ERROR values is detected");
}

TEST_F(TransferWindow, AClipboardWithoutTextOrHeldElsewhereChangesNothing) {
  PutAnsiText("1;2;3");
  Click("Paste");
  EXPECT_EQ(Cell(1), "2");
  EXPECT_EQ(Cell(2), "ABSENT");

  // A clipboard without text leaves the grid as it is.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  Click("Paste");
  EXPECT_EQ(Cell(1), "2");

  // A clipboard another program keeps: the copy says so instead of
  // pretending it worked.
  Event held(true, false), release(true, false);
  std::thread holder([&] {
    bool opened = OpenClipboard(nullptr);
    held.Set();
    release.Wait(test::kHangLimitMs);
    if (opened) CloseClipboard();
  });
  ASSERT_EQ(held.Wait(test::kHangLimitMs), WaitResult::Signalled);
  Click("Copy");
  release.Set();
  holder.join();
  ASSERT_EQ(test::MessageBoxes().size(), 1u);
  EXPECT_EQ(test::MessageBoxes()[0].text, "The clipboard is in use by another program.");
}

TEST_F(TransferWindow, OkSendsEveryValueAndCancelNothing) {
  PostMessageW(Button("Cancel"), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ShowModal(), gui::ModalResult::Cancel);
  PostMessageW(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form.ShowModal(), gui::ModalResult::Cancel);
  EXPECT_TRUE(sent.empty());

  // A bad value being typed when OK is pressed keeps everything back.
  form.Show();
  EditRow(2);
  Type(L"-");
  form.Grid().SetEditorText(".");
  Click("OK");
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(Cell(2), "ERROR");

  PutAnsiText(DefaultTransferText());
  PostMessageW(Button("Paste"), BM_CLICK, 0, 0);
  PostMessageW(Button("OK"), BM_CLICK, 0, 0);
  EXPECT_EQ(form.ShowModal(), gui::ModalResult::Ok);
  ASSERT_EQ(sent.size(), size_t(kParamCount));
  for (int n = 1; n <= kParamCount; ++n) {
    EXPECT_EQ(sent[size_t(n - 1)].first, n);
    EXPECT_EQ(sent[size_t(n - 1)].second, PresetTextToFloat(FloatToPresetText(ParamDefault(n)))) << ParamName(n);
  }
}

TEST_F(TransferWindow, KeyboardReachesEveryControlAndEveryTextFits) {
  test::ExpectTabReachesEveryControlOnce(application, form);
  PutAnsiText("1;-;;");  // the longest status: every kind of bad cell
  Click("Paste");
  ASSERT_EQ(form.StatusText(), "Status : EMPTY, ERROR, ABSENT values is detected");
  test::ExpectEveryTextFitsAt96And144Dpi(form);
}

TEST_F(TransferWindow, WwwOpensTheExchangePageOnce) {
  std::vector<std::string> opened;  // written by the browse thread, read after it ended
  SetBrowseTestHooks(BrowseTestHooks{.open = [&opened](const std::string& url) { opened.push_back(url); }});
  int starts = 0, ends = 0;
  form.onBrowseStart = [&] { ++starts; };
  form.onBrowseEnd = [&] { ++ends; };
  Click("WWW");
  EXPECT_FALSE(IsWindowEnabled(Button("WWW")));
  Click("WWW");  // disabled meanwhile, and one browse at a time
  ASSERT_TRUE(test::WaitUntil([&] {
    test::TestWindow::PumpMessages();
    return ends == 1;
  }));
  EXPECT_EQ(starts, 1);
  EXPECT_TRUE(IsWindowEnabled(Button("WWW")));
  EXPECT_EQ(opened, std::vector<std::string>{std::string("http://") + kPresetExchangeAddress});
}

}  // namespace
}  // namespace corvane
