#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "os/clock.h"
#include "os/sync.h"

namespace corvane {
namespace {

TEST(Event, AutoResetReleasesOneWaitAndResets) {
  Event event(false, false);
  EXPECT_EQ(event.Wait(0), WaitResult::Timeout);
  event.Set();
  EXPECT_EQ(event.Wait(0), WaitResult::Signalled);
  EXPECT_EQ(event.Wait(0), WaitResult::Timeout);  // the wait consumed it

  Event initiallySet(false, true);
  EXPECT_EQ(initiallySet.Wait(0), WaitResult::Signalled);
  EXPECT_EQ(initiallySet.Wait(0), WaitResult::Timeout);
}

TEST(Event, ManualResetStaysSignalledUntilReset) {
  Event event(true, false);
  event.Set();
  EXPECT_EQ(event.Wait(0), WaitResult::Signalled);
  EXPECT_EQ(event.Wait(0), WaitResult::Signalled);
  event.Reset();
  EXPECT_EQ(event.Wait(0), WaitResult::Timeout);
}

TEST(Event, TimedWaitTimesOutThenWakesOnSetFromAnotherThread) {
  Event event(false, false);
  double before = MilliClock();
  EXPECT_EQ(event.Wait(30), WaitResult::Timeout);
  EXPECT_GE(MilliClock() - before, 25.0);

  std::atomic<bool> released{false};
  std::thread waiter([&] {
    EXPECT_EQ(event.Wait(kInfinite), WaitResult::Signalled);
    released = true;
  });
  event.Set();
  waiter.join();
  EXPECT_TRUE(released);
}

TEST(Event, ManualResetReleasesEveryWaiter) {
  Event event(true, false);
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 4; ++i)
    waiters.emplace_back([&] {
      if (event.Wait(10000) == WaitResult::Signalled) ++released;
    });
  event.Set();
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(released, 4);
}

TEST(Event, WaiterMayDestroyTheEventAsSoonAsItsWaitReturns) {
  // The reply pattern: the sender frees its event right after the wait,
  // possibly while the setter is still inside Set (seen by the sanitizers).
  for (int i = 0; i < 200; ++i) {
    auto event = std::make_unique<Event>(false, false);
    Event* target = event.get();
    std::thread setter([target] { target->Set(); });
    EXPECT_EQ(event->Wait(10000), WaitResult::Signalled);
    event.reset();
    setter.join();
  }
}

}  // namespace
}  // namespace corvane
