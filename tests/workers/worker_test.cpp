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

// Long enough never to pass on a healthy run; a hang becomes a failure.
constexpr uint32_t kBoundMs = 30000;

enum Command : uint32_t { kAdd = 1, kNote, kThrow, kBusy };

struct Params {
  Event* reply;  // set once the command is served, when not null
  int32_t a, b;
};

// What outlives the worker, for checks after it is deleted.
struct Trace {
  std::atomic<int> starts{0}, finishes{0}, calls{0}, idlePasses{0};
  std::atomic<uint32_t> startThread{0}, finishThread{0};
  std::atomic<const void*> raisedAt{nullptr};
  Event ended{true, false}, busy{true, false};  // ended: after FinishWork too
  bool throwInStart = false;
};

class TTestWorker : public TWorker {
 public:
  explicit TTestWorker(Trace& trace) : TWorker(sizeof(Params), sizeof(int64_t)), trace_(trace) {
    SetOnTerminate([&trace] { trace.ended.Set(); });
  }
  const char* ClassName() const noexcept override { return "TTestWorker"; }

  std::vector<std::pair<int32_t, int32_t>> notes;  // (a, b) of each kNote

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
    if (command == kAdd) {
      int64_t sum = int64_t(params.a) + params.b;
      RetData().SaveRetData(kAdd, retDataId, &sum);
    } else if (command == kNote) {
      notes.emplace_back(params.a, params.b);
    } else if (command == kThrow) {
      Raise("handler failed");
    } else if (command == kBusy) {
      // Uses this object's own members until told to stop: a delete that
      // did not wait for the thread first shows up in the sanitizer builds.
      trace_.busy.Set();
      while (!Terminated()) notes.emplace_back(-1, 0);
    }
    if (params.reply) params.reply->Set();
  }

  void FinishWork() override {
    trace_.finishThread = CurrentThreadId();
    ++trace_.finishes;
  }

 private:
  [[noreturn]] void Raise(const char* message) {
    ETestWorkerError error(message);
    trace_.raisedAt = error.Address();
    throw error;
  }

  Trace& trace_;
};

std::unique_ptr<TTestWorker> StartWorker(Trace& trace) {
  std::unique_ptr<TTestWorker> worker(new TTestWorker(trace));
  worker->Resume();
  return worker;
}

// A request with reply; `id` keeps its reserved RetDataID.
bool Request(TWorker& worker, Event& reply, int32_t& id, int32_t a, int32_t b) {
  id = worker.RetData().ReserveRetData(kAdd, AutoRetDataID);
  Params params{&reply, a, b};
  worker.Queue().PushCommand(kAdd, id, &params);
  return worker.WaitForReply(reply);
}

// Pushes a command that reports completion; waits a bounded time.
bool Served(TWorker& worker, Command command = kNote, int32_t a = 0, int32_t b = 0) {
  Event done(false, false);
  Params params{&done, a, b};
  worker.Queue().PushCommand(command, NoRetData, &params);
  return done.Wait(kBoundMs) == WaitResult::Signalled;
}

TEST(Worker, AfterStopTheLoopEndsAtTheNextWakeUpAfterOneMorePass) {
  Trace trace;
  // Nothing was ever queued, so the worker is before or in its first wait
  // (one stopped during a pass would end after that pass).
  auto worker = StartWorker(trace);
  worker->StopWorker();
  ASSERT_EQ(trace.ended.Wait(kBoundMs), WaitResult::Signalled);
  EXPECT_EQ(trace.calls, 1);
  EXPECT_EQ(trace.idlePasses, 1);
  EXPECT_TRUE(worker->Finished());
  EXPECT_EQ(trace.finishThread.load(), trace.startThread.load());
  EXPECT_EQ(trace.startThread.load(), worker->ThreadId());
}

TEST(Worker, StoppedWorkerKeepsServingUntilItsResultIsCollected) {
  Trace trace;
  auto worker = StartWorker(trace);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(worker.get()) % kObjectAlignment, 0u);
  Event reply(false, false);
  int32_t id;
  ASSERT_TRUE(Request(*worker, reply, id, 20, 1));

  worker->StopWorker();
  ASSERT_TRUE(Served(*worker));  // alive after the stop's wake-up
  EXPECT_FALSE(worker->Finished());
  int64_t sum = 0;
  ASSERT_TRUE(worker->RetData().ExtractRetData(kAdd, id, &sum));
  EXPECT_EQ(sum, 21);
  worker->StopWorker();
  ASSERT_EQ(trace.ended.Wait(kBoundMs), WaitResult::Signalled);
}

std::string ExpectedRecord(const TWorker& worker, const char* message, const void* address) {
  return "ProcessID   :  $" + Hex8(CurrentProcessId()) + "\r\nThreadID    :  $" + Hex8(worker.ThreadId()) +
         "\r\nHandler     :  TTestWorker\r\nException   :  ETestWorkerError\r\nExceptAddr  :  $" +
         HexAddress(address) + "\r\nMessage     :  " + message + "\r\n\r\n";
}

// FinishWork follows only a StartWork that returned; either way the thread
// ends, the record names the worker, and every sender is let go.
TEST(Worker, ThrowingStartOrHandlerEndsTheThreadLogsItAndReleasesSenders) {
  for (bool inStart : {false, true}) {
    SCOPED_TRACE(inStart ? "StartWork" : "ExecuteCommand");
    test::ScopedErrorLog log;
    Trace trace;
    trace.throwInStart = inStart;
    auto worker = StartWorker(trace);
    Event reply(false, false);
    Params params{&reply, 0, 0};
    if (!inStart) worker->Queue().PushCommand(kThrow, NoRetData, &params);
    ASSERT_EQ(trace.ended.Wait(kBoundMs), WaitResult::Signalled);
    EXPECT_FALSE(!inStart && worker->WaitForReply(reply));
    int32_t id;
    EXPECT_FALSE(Request(*worker, reply, id, 2, 2));  // a later sender
    EXPECT_EQ(worker->Finished(), !inStart);
    EXPECT_EQ(trace.finishes, inStart ? 0 : 1);
    EXPECT_TRUE(!inStart || trace.calls == 0);
    EXPECT_TRUE(log.Contents().ends_with(
        ExpectedRecord(*worker, inStart ? "cannot start" : "handler failed", trace.raisedAt)))
        << log.Contents();
    EXPECT_EQ(test::MessageBoxes().size(), 1u);
  }
}

TEST(Worker, DeleteStopsAndWaitsBeforeDestroyingAndNeverStartsAnIdleWorker) {
  Trace busy;
  auto worker = StartWorker(busy);
  Params params{nullptr, 0, 0};
  worker->Queue().PushCommand(kBusy, NoRetData, &params);
  worker->Queue().PushCommand(kNote, NoRetData, &params);
  ASSERT_EQ(busy.busy.Wait(kBoundMs), WaitResult::Signalled);
  worker.reset();
  EXPECT_EQ(busy.calls, 2);  // the queued note was still served
  EXPECT_EQ(busy.finishes, 1);

  Trace idle;
  worker.reset(new TTestWorker(idle));
  worker.reset();
  EXPECT_EQ(idle.starts, 0);
}

TEST(Worker, ConcurrentProducersLoseNoWakeUpAndKeepTheirOrder) {
  constexpr int kProducers = 4, kCommands = 3000;
  Trace trace;
  auto worker = StartWorker(trace);
  std::atomic<int> unserved{0};
  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p) {
    producers.emplace_back([&, p] {
      for (int i = 0; i < kCommands; ++i) {
        if (i % 7 == 0) worker->Queue().WakeUp();
        // Waiting alone on its last push catches a wake-up lost between
        // the worker's emptiness test and its wait.
        if (i % 5 == 0) {
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
  ASSERT_TRUE(Served(*worker, kNote, -1));

  std::vector<int> next(kProducers, 0);
  for (auto [producer, sequence] : worker->notes) {
    if (producer < 0) continue;
    ASSERT_EQ(sequence, next[producer]++) << "producer " << producer;
  }
  for (int count : next) EXPECT_EQ(count, kCommands);
}

}  // namespace
}  // namespace corvane
