#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "os/process.h"
#include "os/sync.h"
#include "os/thread.h"

namespace corvane {
namespace {

class BodyThread : public Thread {
 public:
  explicit BodyThread(std::function<void(BodyThread&)> body) : body_(std::move(body)) {}
  ~BodyThread() override {
    Terminate();
    WaitFor();
  }

 protected:
  void Execute() override { body_(*this); }

 private:
  std::function<void(BodyThread&)> body_;
};

TEST(Thread, RunsOnlyAfterResumeAndStopsOnTerminate) {
  std::atomic<int> runs{0};
  std::atomic<uint32_t> seenId{0};
  Event running(true, false);
  BodyThread thread([&](BodyThread& self) {
    seenId = CurrentThreadId();
    ++runs;
    running.Set();
    while (!self.Terminated()) running.Wait(1);
  });
  EXPECT_FALSE(thread.Started());
  EXPECT_EQ(running.Wait(50), WaitResult::Timeout);
  EXPECT_EQ(runs, 0);

  thread.Resume();
  ASSERT_EQ(running.Wait(10000), WaitResult::Signalled);
  EXPECT_EQ(runs, 1);
  EXPECT_NE(seenId.load(), CurrentThreadId());
  EXPECT_EQ(thread.ThreadId(), seenId.load());

  thread.Terminate();
  thread.WaitFor();
  EXPECT_TRUE(thread.Terminated());
}

TEST(Thread, EndNotificationRunsAfterTheBody) {
  std::atomic<int> order{0}, bodyAt{-1}, notifiedAt{-1};
  {
    BodyThread thread([&](BodyThread&) { bodyAt = order++; });
    thread.SetOnTerminate([&] { notifiedAt = order++; });
    thread.Resume();
    thread.WaitFor();
  }
  EXPECT_EQ(bodyAt, 0);
  EXPECT_EQ(notifiedAt, 1);
}

TEST(Thread, NeverResumedThreadKeepsPrioritiesAndIsDestroyedWithoutRunning) {
  std::atomic<bool> ran{false};
  {
    BodyThread thread([&](BodyThread&) { ran = true; });
    for (ThreadPriority priority : {ThreadPriority::Idle, ThreadPriority::Lowest, ThreadPriority::Lower,
                                    ThreadPriority::Normal, ThreadPriority::Higher, ThreadPriority::Highest,
                                    ThreadPriority::TimeCritical}) {
      thread.SetPriority(priority);
      EXPECT_EQ(thread.Priority(), priority);
    }
    thread.SetPriority(ThreadPriority::Lower);
  }  // must neither hang nor run the body
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace corvane
