// The transfer window with real windows, real messages and the real
// clipboard, under Wine. The cell rules are checked natively
// (transfer_rules_test); here only their wiring and what the window adds.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
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

class TransferWindow : public ::testing::Test {
 protected:
  TransferWindow() {
    test::ClearMessageBoxes();
    form.Show();
  }
  ~TransferWindow() override { SetBrowseTestHooks(std::nullopt); }

  HWND Button(const char* caption) { return form.ButtonNamed(caption).Handle(); }
  void Click(const char* caption) { SendMessageW(Button(caption), BM_CLICK, 0, 0); }
  std::string Cell(int row) { return test::ListViewText(form.Grid().Handle(), row, 1); }
  // Characters typed on the grid: the first opens the current row's editor.
  void Type(std::wstring_view keys) {
    for (wchar_t key : keys) SendMessageW(GetFocus(), WM_CHAR, key, 0);
  }
  void EditRow(int row) {
    form.Grid().SetRow(row);
    form.Grid().SetFocus();
  }

  // The editor: parameter n is n / 10 unless `second` says otherwise.
  struct Target final : TransferTarget {
    double GetParam(int n) override { return n == 2 ? second : n / 10.0; }
    void SetParam(int, double) override { ++sent; }
    double second = 0.2;
    int sent = 0;
  };

  gui::Application application;
  test::StandInMainForm mainForm;
  Target target;
  TTransferForm form{target};
};

TEST_F(TransferWindow, StaysOnTopShowsTheNamesAndReloadsTheTarget) {
  EXPECT_TRUE(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(test::ListViewText(form.Grid().Handle(), 68, 0), "MotionBlur");
  target.second = 1e15;  // cannot be written as number text
  Click("Reload");
  EXPECT_EQ(Cell(1), "ERROR");
}

TEST_F(TransferWindow, KeysFollowTheCellRulesAndTheStatusFollowsEachKey) {
  EditRow(1);
  Type(L".");
  EXPECT_EQ(form.StatusText(), "Status : ERROR values is detected");
  EXPECT_FALSE(IsWindowEnabled(Button("OK")));
  Type(L"5");
  EXPECT_TRUE(IsWindowEnabled(Button("OK"))) << "before the edit ends";

  Click("Clear");
  EditRow(3);
  SendMessageW(GetFocus(), WM_KEYDOWN, VK_F2, 0);  // opens the editor without typing
  EXPECT_EQ(form.Grid().EditorText(), "EMPTY");
  Type(L"-");
  EXPECT_EQ(form.Grid().EditorText(), "-");
  // Leaving a cell through the focus, as a click elsewhere does.
  SetFocus(Button("Copy"));
  EXPECT_FALSE(form.Grid().Editing());
  EXPECT_EQ(Cell(3), "ERROR");
}

TEST_F(TransferWindow, PasteReadsEightBitTextAndAnEmptyOrHeldClipboardChangesNothing) {
  PutAnsiText("1;2;3");
  Click("Paste");
  EXPECT_EQ(Cell(1), "2");
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

TEST_F(TransferWindow, ABadValueBeingTypedWhenOkIsPressedCountsAsLeftAndNothingIsSent) {
  EditRow(2);
  Type(L"-");
  form.Grid().SetEditorText(".");
  Click("OK");
  EXPECT_EQ(Cell(2), "ERROR");
  EXPECT_EQ(target.sent, 0);
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
  Click("WWW");
  EXPECT_FALSE(IsWindowEnabled(Button("WWW")));
  Click("WWW");  // off meanwhile
  ASSERT_TRUE(test::WaitUntil([&] {
    test::TestWindow::PumpMessages();
    return IsWindowEnabled(Button("WWW"));
  })) << "the browse did not end";
  EXPECT_EQ(opened, std::vector<std::string>{std::string("http://") + kPresetExchangeAddress});
}

}  // namespace
}  // namespace corvane
