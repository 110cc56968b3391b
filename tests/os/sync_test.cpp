#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "os/clock.h"
#include "os/sync.h"

namespace corvane {
namespace {

TEST(Event, AutoResetIsConsumedByOneWaitManualResetStaysUntilReset) {
  Event automatic(false, false), initiallySet(false, true), manual(true, false);
  EXPECT_EQ(automatic.Wait(0), WaitResult::Timeout);
  automatic.Set();
  EXPECT_EQ(automatic.Wait(0), WaitResult::Signalled);
  EXPECT_EQ(automatic.Wait(0), WaitResult::Timeout);
  EXPECT_EQ(initiallySet.Wait(0), WaitResult::Signalled);
  EXPECT_EQ(initiallySet.Wait(0), WaitResult::Timeout);

  manual.Set();
  EXPECT_EQ(manual.Wait(0), WaitResult::Signalled);
  EXPECT_EQ(manual.Wait(0), WaitResult::Signalled);
  manual.Reset();
  EXPECT_EQ(manual.Wait(0), WaitResult::Timeout);
}

TEST(Event, TimedWaitTimesOutAndSetFromAnotherThreadReleasesWaiters) {
  Event single(false, false);
  double before = MilliClock();
  EXPECT_EQ(single.Wait(30), WaitResult::Timeout);
  EXPECT_GE(MilliClock() - before, 25.0);

  // An auto-reset event releases its one waiter; a manual-reset one all four.
  Event manual(true, false);
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  waiters.emplace_back([&] { released += single.Wait(kInfinite) == WaitResult::Signalled; });
  for (int i = 0; i < 4; ++i) waiters.emplace_back([&] { released += manual.Wait(10000) == WaitResult::Signalled; });
  single.Set();
  manual.Set();
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(released, 5);
}

TEST(Event, WaiterMayDestroyTheEventAsSoonAsItsWaitReturns) {
  // The reply pattern: the sender frees its event right after the wait,
  // possibly while the setter is still inside Set (seen by the sanitizers).
  for (int i = 0; i < 200; ++i) {
    auto event = std::make_unique<Event>(false, false);
    std::thread setter([target = event.get()] { target->Set(); });
    EXPECT_EQ(event->Wait(10000), WaitResult::Signalled);
    event.reset();
    setter.join();
  }
}

}  // namespace
}  // namespace corvane
