#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "workers/command_queue.h"

namespace corvane {
namespace {

TEST(QueueCommands, FifoWithParametersAndAnEmptyQueueRefusesToPop) {
  std::unique_ptr<TQueueCommands> queue(new TQueueCommands(sizeof(double)));
  uint32_t command = 77;
  EXPECT_FALSE(queue->PeekCommand(command));
  EXPECT_EQ(command, kNoCommand);
  try {
    queue->PopCommand(nullptr, nullptr);
    ADD_FAILURE() << "popped from an empty queue";
  } catch (const EQueueComError& e) {
    EXPECT_STREQ(e.what(), "Cannot extract command. Queue is empty.");
  }
  for (int i = 1; i <= 3; ++i) {
    double value = i * 1.5;
    queue->PushCommand(uint32_t(10 + i), i - 1, &value);
  }
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(queue->PeekCommand(command));
    EXPECT_EQ(command, uint32_t(10 + i));
    int32_t retDataId = -5;
    double value = 0;
    EXPECT_TRUE(queue->PopCommand(&retDataId, &value));
    EXPECT_EQ(retDataId, i - 1);
    EXPECT_EQ(value, i * 1.5);
  }
  EXPECT_TRUE(queue->IsEmpty());
}

TEST(QueueCommands, WakeUpReleasesTheNextWaitOnlyThenWaitsBlockUntilACommand) {
  std::unique_ptr<TQueueCommands> queue(new TQueueCommands(0));
  queue->WakeUp();
  Event firstDone(true, false);
  std::atomic<bool> secondDone{false};
  std::thread worker([&] {
    queue->WaitForCommand(5);  // returns at once although nothing is queued
    firstDone.Set();
    queue->WaitForCommand(5);
    secondDone = true;
  });
  ASSERT_EQ(firstDone.Wait(30000), WaitResult::Signalled);
  // The pause only gives a wrong implementation the chance to show itself.
  Event(true, false).Wait(50);
  EXPECT_FALSE(secondDone);
  queue->PushCommand(3, NoRetData, nullptr);
  worker.join();
  EXPECT_TRUE(secondDone);
}

}  // namespace
}  // namespace corvane
