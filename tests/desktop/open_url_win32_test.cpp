#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "desktop/open_url.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

// Serves the main thread's messages until `done` holds; false after 10 s, so
// that a browse that never ends fails the test instead of hanging it.
bool PumpUntil(const std::function<bool()>& done) {
  const ULONGLONG start = GetTickCount64();
  while (!done()) {
    if (GetTickCount64() - start > 10000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    test::TestWindow::PumpMessages();
  }
  return true;
}

// The browse thread records its address instead of asking the shell, so no
// browser opens on the machine running the tests.
class OpenUrlTest : public ::testing::Test {
 protected:
  void SetUp() override { Hook(false); }
  void TearDown() override { SetBrowseTestHooks(std::nullopt); }
  void Hook(bool failEndNotice) {
    SetBrowseTestHooks(BrowseTestHooks{[this](const std::string& url) {
                                         std::lock_guard lock(mutex_);
                                         opened_.push_back(url);
                                       },
                                       failEndNotice});
  }
  std::vector<std::string> Opened() {
    std::lock_guard lock(mutex_);
    return opened_;
  }

  std::mutex mutex_;
  std::vector<std::string> opened_;
  BrowseClient client_;
};

TEST_F(OpenUrlTest, OneBrowseAtATimeAndItsCallbackRunsOnTheMainThread) {
  int done = 0;
  const DWORD mainThread = GetCurrentThreadId();
  DWORD callbackThread = 0;
  client_.OpenURL("a.example", [&] {
    ++done;
    callbackThread = GetCurrentThreadId();
  });
  client_.OpenURL("b.example", [&] { done += 100; });  // refused: the first has not been reported yet
  EXPECT_TRUE(BrowseInProgress());
  ASSERT_TRUE(PumpUntil([&] { return done != 0; }));
  EXPECT_EQ(done, 1);
  EXPECT_EQ(callbackThread, mainThread);
  EXPECT_FALSE(BrowseInProgress());
  EXPECT_EQ(Opened(), std::vector<std::string>{"http://a.example"});
}

TEST_F(OpenUrlTest, AFailedEndNoticeStillEndsTheBrowse) {
  Hook(true);
  int done = 0;
  client_.OpenURL("a.example", [&] { ++done; });
  ASSERT_TRUE(PumpUntil([] { return !BrowseInProgress(); }));
  test::TestWindow::PumpMessages();
  EXPECT_EQ(done, 0);  // nothing was posted, so nothing can call back

  Hook(false);
  client_.OpenURL("b.example", [&] { done += 10; });
  ASSERT_TRUE(PumpUntil([&] { return done != 0; }));
  EXPECT_EQ(done, 10);
  EXPECT_EQ(Opened(), (std::vector<std::string>{"http://a.example", "http://b.example"}));
}

// A browse that ends after its window went calls nothing of that window.
TEST_F(OpenUrlTest, TheCallbackOfAClientThatWentIsDropped) {
  bool called = false;
  {
    BrowseClient window;
    window.OpenURL("a.example", [&] { called = true; });
  }
  ASSERT_TRUE(PumpUntil([] { return !BrowseInProgress(); }));
  EXPECT_FALSE(called);
  EXPECT_EQ(Opened(), std::vector<std::string>{"http://a.example"});
}

// Neither a failing browse nor a callback that raises may unwind through the
// system's frames (the thread's procedure, the notifier's dispatch): each is
// logged and the browse ends.
TEST_F(OpenUrlTest, AFailingBrowseAndARaisingCallbackAreLoggedAndTheBrowseEnds) {
  test::ScopedErrorLog log;
  SetBrowseTestHooks(BrowseTestHooks{[](const std::string&) { throw std::runtime_error("no shell"); }});
  bool called = false;
  client_.OpenURL("a.example", [&] {
    called = true;
    throw std::runtime_error("callback failed");
  });
  ASSERT_TRUE(PumpUntil([&] { return called; }));
  EXPECT_FALSE(BrowseInProgress());
  const std::string records = log.Contents();
  EXPECT_NE(records.find("no shell"), std::string::npos) << records;
  EXPECT_NE(records.find("callback failed"), std::string::npos) << records;
}

}  // namespace
}  // namespace corvane
