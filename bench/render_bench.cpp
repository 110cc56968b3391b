// The renderer's costs: the processor side of drawing a frame (merge of the
// makers' lists and octahedron expansion, draw calls left out) against a
// plain streaming pass over the same records, and whole frames on OSMesa.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "render/octahedron_batch.h"

namespace corvane {
namespace {

constexpr uint32_t kRecords = 1000000;

// Two makers' lists of half a million records each, every list in its own
// drawing order (keys ascending as unsigned numbers), which scatters the
// reads over the records as the makers' real output does.
struct Lists {
  struct One {
    std::vector<VertexRecord> vertices;
    std::vector<int32_t> keys;
    std::vector<uint32_t> order;
  } one[2];

  Lists() {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> depth(-3000000, 0);
    for (One& list : one) {
      uint32_t n = kRecords / 2;
      list.vertices.resize(n);
      list.keys.resize(n);
      list.order.resize(n);
      for (uint32_t i = 0; i < n; ++i) {
        VertexRecord& r = list.vertices[i];
        for (int c = 0; c < 3; ++c) {
          r.position[c] = static_cast<float>(i % 1000) + c;
          r.axis1[c] = r.axis2[c] = r.axis3[c] = 0.5f;
        }
        r.color[0] = r.color[1] = r.color[2] = r.color[3] = static_cast<uint8_t>(i);
        list.keys[i] = depth(random);
        list.order[i] = i + 1;
      }
      std::sort(list.order.begin(), list.order.end(), [&](uint32_t a, uint32_t b) {
        return static_cast<uint32_t>(list.keys[a - 1]) < static_cast<uint32_t>(list.keys[b - 1]);
      });
    }
  }
  MakerList List(int i) const {
    return {one[i].vertices.data(), one[i].keys.data(), one[i].order.data(), static_cast<uint32_t>(one[i].order.size())};
  }
};

const Lists& TheLists() {
  static Lists lists;
  return lists;
}

void BM_ComposeMerged(benchmark::State& state) {
  const Lists& lists = TheLists();
  OctahedronBatch batch;
  for (auto _ : state) {
    ComposeOctahedra(lists.List(0), lists.List(1), false, batch,
                     [&](int n) { benchmark::DoNotOptimize(batch.vertices.data()); });
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ComposeMerged)->Unit(benchmark::kMillisecond);

void BM_StreamRecords(benchmark::State& state) {
  const Lists& lists = TheLists();
  OctahedronBatch batch;
  for (auto _ : state) {
    int slot = 0;
    for (const Lists::One& list : lists.one)
      for (const VertexRecord& record : list.vertices) {
        ExpandOctahedron(record, slot, batch);
        if (++slot == kBatchSize) {
          benchmark::DoNotOptimize(batch.vertices.data());
          slot = 0;
        }
      }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_StreamRecords)->Unit(benchmark::kMillisecond);

// Prints the merged pass's time as a multiple of the streaming pass's.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Processor time: the machines these run on are shared, which shows in
  // wall time far more. With repetitions, the medians are compared.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
        cpuTime_[run.run_name.function_name] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto merged = cpuTime_.find("BM_ComposeMerged");
    auto stream = cpuTime_.find("BM_StreamRecords");
    if (merged != cpuTime_.end() && stream != cpuTime_.end() && stream->second > 0)
      std::printf("merged / streaming pass (processor time): %.2f\n", merged->second / stream->second);
  }

 private:
  std::map<std::string, double> cpuTime_;
};

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  corvane::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
