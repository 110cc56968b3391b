#include <gtest/gtest.h>

#include <atomic>

#include "os/process.h"
#include "os/sync.h"
#include "os/thread.h"

namespace corvane {
namespace {

class RecordingThread : public Thread {
 public:
  ~RecordingThread() override {
    Terminate();
    WaitFor();
  }
  std::atomic<int> runs{0};
  std::atomic<uint32_t> seenId{0};
  Event running{true, false};

 protected:
  void Execute() override {
    seenId = CurrentThreadId();
    ++runs;
    running.Set();
    while (!Terminated()) running.Wait(1);
  }
};

TEST(Thread, RunsOnlyAfterResumeAndStopsOnTerminate) {
  RecordingThread thread;
  EXPECT_FALSE(thread.Started());
  EXPECT_EQ(thread.running.Wait(50), WaitResult::Timeout);
  EXPECT_EQ(thread.runs, 0);

  thread.Resume();
  ASSERT_EQ(thread.running.Wait(10000), WaitResult::Signalled);
  EXPECT_EQ(thread.runs, 1);
  EXPECT_NE(thread.seenId.load(), CurrentThreadId());
  EXPECT_EQ(thread.ThreadId(), thread.seenId.load());

  thread.Terminate();
  thread.WaitFor();
  EXPECT_TRUE(thread.Terminated());
}

TEST(Thread, EndNotificationRunsAfterTheBody) {
  std::atomic<int> order{0};
  std::atomic<int> bodyAt{-1}, notifiedAt{-1};
  class Body : public Thread {
   public:
    Body(std::atomic<int>& order, std::atomic<int>& at) : order_(order), at_(at) {}
    ~Body() override { WaitFor(); }

   protected:
    void Execute() override { at_ = order_++; }

   private:
    std::atomic<int>& order_;
    std::atomic<int>& at_;
  };
  {
    Body thread(order, bodyAt);
    thread.SetOnTerminate([&] { notifiedAt = order++; });
    thread.Resume();
    thread.WaitFor();
  }
  EXPECT_EQ(bodyAt, 0);
  EXPECT_EQ(notifiedAt, 1);
}

TEST(Thread, NeverResumedThreadIsDestroyedWithoutRunning) {
  auto thread = std::make_unique<RecordingThread>();
  thread->SetPriority(ThreadPriority::Lower);
  EXPECT_EQ(thread->Priority(), ThreadPriority::Lower);
  thread.reset();  // must neither hang nor run the body
  SUCCEED();
}

TEST(Thread, PriorityLevelsAreKept) {
  RecordingThread thread;
  for (ThreadPriority priority : {ThreadPriority::Idle, ThreadPriority::Lowest, ThreadPriority::Lower,
                                  ThreadPriority::Normal, ThreadPriority::Higher, ThreadPriority::Highest,
                                  ThreadPriority::TimeCritical}) {
    thread.SetPriority(priority);
    EXPECT_EQ(thread.Priority(), priority);
  }
  thread.SetPriority(ThreadPriority::Normal);
}

}  // namespace
}  // namespace corvane
