#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "os/hex.h"
#include "os/process.h"
#include "support/test_support.h"
#include "workers/worker.h"

namespace corvane {
namespace {

CORVANE_DECLARE_EXCEPTION(ETestWorkerError);

// Long enough never to fire on a healthy run; a hang becomes a failure.
constexpr uint32_t kBoundMs = 30000;

enum Command : uint32_t { kAdd = 1, kNote, kDone, kThrow, kBusy };

struct Params {
  Event* reply;
  int32_t a, b;
};

// What outlives the worker, for checks after it is deleted.
struct Trace {
  std::atomic<int> starts{0}, finishes{0}, calls{0}, idlePasses{0};
  std::atomic<uint32_t> startThread{0}, finishThread{0};
  std::atomic<const void*> raisedAt{nullptr};
  Event finished{true, false};
  Event ended{true, false};
  Event busy{true, false};
  bool throwInStart = false;
};

class TTestWorker : public TWorker {
 public:
  explicit TTestWorker(Trace& trace) : TWorker(sizeof(Params), sizeof(int64_t)), trace_(trace) {
    SetOnTerminate([&trace] { trace.ended.Set(); });
  }
  const char* ClassName() const noexcept override { return "TTestWorker"; }

  // (producer, sequence) of every kNote, in serving order.
  std::vector<std::pair<int32_t, int32_t>> notes;

 protected:
  void StartWork() override {
    trace_.startThread = CurrentThreadId();
    ++trace_.starts;
    if (trace_.throwInStart) Raise("cannot start");
  }

  void ExecuteCommand() override {
    ++trace_.calls;
    uint32_t command;
    if (!Queue().PeekCommand(command)) {
      ++trace_.idlePasses;
      return;
    }
    int32_t retDataId;
    Params params;
    Queue().PopCommand(&retDataId, &params);
    switch (command) {
      case kAdd: {
        int64_t sum = int64_t(params.a) + params.b;
        RetData().SaveRetData(kAdd, retDataId, &sum);
        break;
      }
      case kNote:
        notes.emplace_back(params.a, params.b);
        break;
      case kThrow:
        Raise("handler failed");
      case kBusy:
        // Touches this object's own members until told to stop, so that a
        // delete that did not wait first would be seen by the sanitizers.
        trace_.busy.Set();
        while (!Terminated()) notes.emplace_back(-1, int32_t(notes.size()));
        break;
    }
    if (params.reply) params.reply->Set();
  }

  void FinishWork() override {
    trace_.finishThread = CurrentThreadId();
    ++trace_.finishes;
    trace_.finished.Set();
  }

 private:
  [[noreturn]] void Raise(const char* message) {
    ETestWorkerError error(message);
    trace_.raisedAt = error.Address();
    throw error;
  }

  Trace& trace_;
};

using WorkerPtr = std::unique_ptr<TTestWorker>;

WorkerPtr StartWorker(Trace& trace) {
  WorkerPtr worker(new TTestWorker(trace));
  worker->Resume();
  return worker;
}

// The request-with-reply pattern of every sender.
bool Add(TWorker& worker, int32_t a, int32_t b, int64_t& sum) {
  Event reply(false, false);
  int32_t id = worker.RetData().ReserveRetData(kAdd, AutoRetDataID);
  Params params{&reply, a, b};
  worker.Queue().PushCommand(kAdd, id, &params);
  return worker.WaitForReply(reply) && worker.RetData().ExtractRetData(kAdd, id, &sum);
}

// Pushes a command that only reports completion; waits a bounded time.
bool Served(TWorker& worker, Command command = kDone, int32_t a = 0, int32_t b = 0) {
  Event done(false, false);
  Params params{&done, a, b};
  worker.Queue().PushCommand(command, NoRetData, &params);
  return done.Wait(kBoundMs) == WaitResult::Signalled;
}

TEST(Worker, ServesRequestsOnItsOwnAlignedThreadAndFinishesThere) {
  Trace trace;
  {
    WorkerPtr worker = StartWorker(trace);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(worker.get()) % kObjectAlignment, 0u);
    int64_t sum = 0;
    ASSERT_TRUE(Add(*worker, 40, 2, sum));
    EXPECT_EQ(sum, 42);
    ASSERT_TRUE(Add(*worker, -7, 3, sum));
    EXPECT_EQ(sum, -4);
    EXPECT_TRUE(worker->RetData().IsEmpty());
    EXPECT_FALSE(worker->Finished());
    EXPECT_EQ(trace.starts, 1);
    EXPECT_EQ(trace.finishes, 0);
    EXPECT_EQ(trace.startThread.load(), worker->ThreadId());
    EXPECT_NE(trace.startThread.load(), CurrentThreadId());
  }
  EXPECT_EQ(trace.finishes, 1);
  EXPECT_EQ(trace.finishThread.load(), trace.startThread.load());
  EXPECT_EQ(trace.ended.Wait(0), WaitResult::Signalled);
}

TEST(Worker, AfterStopTheLoopEndsAtTheNextWakeUpAfterOneMorePass) {
  Trace trace;
  // Nothing was ever queued, so the worker is before or in its first wait
  // (a worker stopped in the middle of a pass ends after that pass).
  WorkerPtr worker = StartWorker(trace);
  worker->StopWorker();
  ASSERT_EQ(trace.finished.Wait(kBoundMs), WaitResult::Signalled);
  EXPECT_EQ(trace.calls, 1);
  EXPECT_EQ(trace.idlePasses, 1);
  EXPECT_TRUE(worker->Finished());
  EXPECT_TRUE(worker->Terminated());
}

TEST(Worker, StoppedWorkerKeepsServingUntilItsResultIsCollected) {
  Trace trace;
  WorkerPtr worker = StartWorker(trace);
  Event reply(false, false);
  int32_t id = worker->RetData().ReserveRetData(kAdd, AutoRetDataID);
  Params params{&reply, 20, 1};
  worker->Queue().PushCommand(kAdd, id, &params);
  ASSERT_TRUE(worker->WaitForReply(reply));

  worker->StopWorker();
  // Still alive after the stop's wake-up: later commands are served.
  ASSERT_TRUE(Served(*worker));
  ASSERT_TRUE(Served(*worker));
  EXPECT_FALSE(worker->Finished());
  EXPECT_EQ(trace.finishes, 0);

  int64_t sum = 0;
  ASSERT_TRUE(worker->RetData().ExtractRetData(kAdd, id, &sum));
  EXPECT_EQ(sum, 21);
  worker->StopWorker();
  ASSERT_EQ(trace.finished.Wait(kBoundMs), WaitResult::Signalled);
  EXPECT_TRUE(worker->Finished());
}

std::string ExpectedRecord(uint32_t threadId, const char* message, const void* address) {
  return "ProcessID   :  $" + Hex8(CurrentProcessId()) + "\r\nThreadID    :  $" + Hex8(threadId) +
         "\r\nHandler     :  TTestWorker\r\nException   :  ETestWorkerError\r\nExceptAddr  :  $" +
         HexAddress(address) + "\r\nMessage     :  " + message + "\r\n\r\n";
}

TEST(Worker, ThrowingHandlerEndsTheThreadLogsItAndReleasesSenders) {
  test::ScopedErrorLog log;
  Trace trace;
  WorkerPtr worker = StartWorker(trace);
  int64_t sum = 0;
  ASSERT_TRUE(Add(*worker, 1, 1, sum));

  Event reply(false, false);
  Params params{&reply, 0, 0};
  worker->Queue().PushCommand(kThrow, NoRetData, &params);
  ASSERT_EQ(trace.ended.Wait(kBoundMs), WaitResult::Signalled);
  EXPECT_FALSE(worker->WaitForReply(reply));
  EXPECT_FALSE(Add(*worker, 2, 2, sum));  // a later sender
  EXPECT_TRUE(worker->Finished());
  EXPECT_EQ(trace.finishes, 1);

  std::string text = log.Contents();
  EXPECT_TRUE(text.ends_with(ExpectedRecord(worker->ThreadId(), "handler failed", trace.raisedAt)))
      << text;
  EXPECT_EQ(test::MessageBoxes().size(), 1u);
}

TEST(Worker, StartWorkThatThrowsSkipsTheLoopAndStillReleasesSenders) {
  test::ScopedErrorLog log;
  Trace trace;
  trace.throwInStart = true;
  WorkerPtr worker = StartWorker(trace);
  ASSERT_EQ(trace.ended.Wait(kBoundMs), WaitResult::Signalled);
  EXPECT_FALSE(worker->Finished());
  EXPECT_EQ(trace.finishes, 0);
  EXPECT_EQ(trace.calls, 0);
  int64_t sum = 0;
  EXPECT_FALSE(Add(*worker, 1, 2, sum));
  EXPECT_TRUE(log.Contents().ends_with(ExpectedRecord(worker->ThreadId(), "cannot start", trace.raisedAt)));
}

TEST(Worker, DeleteWaitsForABusyWorkerBeforeDestroyingIt) {
  Trace trace;
  WorkerPtr worker = StartWorker(trace);
  Params params{nullptr, 0, 0};
  worker->Queue().PushCommand(kBusy, NoRetData, &params);
  worker->Queue().PushCommand(kNote, NoRetData, &params);
  ASSERT_EQ(trace.busy.Wait(kBoundMs), WaitResult::Signalled);
  worker.reset();
  EXPECT_EQ(trace.finishes, 1);
  EXPECT_EQ(trace.calls, 2);  // the queued note was still served
}

TEST(Worker, NeverStartedWorkerIsDeletedWithoutRunning) {
  Trace trace;
  WorkerPtr worker(new TTestWorker(trace));
  worker->Queue().PushCommand(kNote, NoRetData, nullptr);
  worker.reset();
  EXPECT_EQ(trace.starts, 0);
  EXPECT_EQ(trace.calls, 0);
}

TEST(Worker, ConcurrentProducersLoseNoWakeUpAndKeepTheirOrder) {
  constexpr int kProducers = 4, kCommands = 3000;
  Trace trace;
  WorkerPtr worker = StartWorker(trace);
  std::atomic<int> unserved{0};
  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p) {
    producers.emplace_back([&, p] {
      for (int i = 0; i < kCommands; ++i) {
        if (i % 7 == 0) worker->Queue().WakeUp();
        if (i % 5 == 0) {
          // Waiting alone on the last push catches a wake-up lost between
          // the worker's emptiness test and its wait.
          if (!Served(*worker, kNote, p, i)) ++unserved;
        } else {
          Params params{nullptr, p, i};
          worker->Queue().PushCommand(kNote, NoRetData, &params);
        }
      }
    });
  }
  for (auto& producer : producers) producer.join();
  ASSERT_EQ(unserved, 0);
  ASSERT_TRUE(Served(*worker));

  std::vector<int> next(kProducers, 0);
  for (auto [producer, sequence] : worker->notes) {
    ASSERT_EQ(sequence, next[producer]) << "producer " << producer;
    ++next[producer];
  }
  for (int count : next) EXPECT_EQ(count, kCommands);
}

}  // namespace
}  // namespace corvane
