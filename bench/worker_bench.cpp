// Round trips through a worker's command queue and return-data list, with
// one sender and with two sharing the worker.

#include <benchmark/benchmark.h>

#include <memory>

#include "workers/worker.h"

namespace corvane {
namespace {

enum Command : uint32_t { kEcho = 1, kFire, kSync };

struct Params {
  Event* reply;
  double value;
};

class TBenchWorker : public TWorker {
 public:
  TBenchWorker() : TWorker(sizeof(Params), sizeof(double)) {}
  const char* ClassName() const noexcept override { return "TBenchWorker"; }

 protected:
  void StartWork() override {}
  void FinishWork() override {}
  void ExecuteCommand() override {
    uint32_t command;
    if (!Queue().PeekCommand(command)) return;
    int32_t retDataId;
    Params params;
    Queue().PopCommand(&retDataId, &params);
    if (command == kEcho) RetData().SaveRetData(kEcho, retDataId, &params.value);
    if (command == kFire) sum_ += params.value;
    if (params.reply) params.reply->Set();
  }

 private:
  double sum_ = 0;
};

std::unique_ptr<TBenchWorker> g_worker;

// The first sender starts the worker before all senders pass the loop's
// start barrier, and deletes it after the end barrier.
class SharedWorker {
 public:
  explicit SharedWorker(benchmark::State& state) : first_(state.thread_index() == 0) {
    if (first_) {
      g_worker.reset(new TBenchWorker);
      g_worker->Resume();
    }
  }
  ~SharedWorker() {
    if (first_) g_worker.reset();
  }
  TBenchWorker& operator*() const { return *g_worker; }

 private:
  bool first_;
};

// Push, serve, save, set the event, extract: the reply pattern of every
// sender, its event included.
void BM_ReplyRoundTrip(benchmark::State& state) {
  SharedWorker worker(state);
  double value = state.thread_index();
  for (auto _ : state) {
    Event reply(false, false);
    int32_t id = (*worker).RetData().ReserveRetData(kEcho, AutoRetDataID);
    Params params{&reply, value};
    (*worker).Queue().PushCommand(kEcho, id, &params);
    double answer = 0;
    if (!(*worker).WaitForReply(reply) || !(*worker).RetData().ExtractRetData(kEcho, id, &answer)) {
      state.SkipWithError("no reply");
      break;
    }
    benchmark::DoNotOptimize(answer);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReplyRoundTrip)->Threads(1)->Threads(2)->UseRealTime();

// Commands without a reply, counted once served: each iteration pushes a
// batch and one completion command behind it.
void BM_FireAndForget(benchmark::State& state) {
  constexpr int kBatch = 64;
  SharedWorker worker(state);
  Event done(false, false);
  for (auto _ : state) {
    Params params{nullptr, 1.0};
    for (int i = 0; i < kBatch; ++i) (*worker).Queue().PushCommand(kFire, NoRetData, &params);
    params.reply = &done;
    (*worker).Queue().PushCommand(kSync, NoRetData, &params);
    if (!(*worker).WaitForReply(done)) {
      state.SkipWithError("not served");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * (kBatch + 1));
}
BENCHMARK(BM_FireAndForget)->Threads(1)->Threads(2)->UseRealTime();

}  // namespace
}  // namespace corvane
