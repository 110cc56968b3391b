// The figure's costs at the largest load (10000 lines of 100 points) and
// for the default preset, each against a probe run in the same process, so
// that the ratios hold on a shared, noisy machine:
// - a make (both makers' work) against a streaming pass over the bytes it
//   must touch: the point slots read, the vertex records, keys and order
//   written;
// - a tick against the random draws it must make.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "figure/calcer.h"
#include "figure/kernels.h"
#include "figure/make_geometry.h"
#include "os/random.h"
#include "ratio_reporter.h"

namespace corvane {
namespace {

constexpr uint32_t kMaxTicks = 10100;  // every line born and grown to full length
constexpr uint32_t kDefaultTicks = 400;

Matrix4 Camera() {
  Matrix4 m = kIdentity4;
  m[14] = -2500;
  return m;
}

std::unique_ptr<Figure> Grown(uint32_t lines, uint32_t points, uint32_t ticks) {
  auto f = std::make_unique<Figure>();
  f->SetFigureParam(2, lines);
  f->SetFigureParam(1, points);
  for (int mid : {37, 40, 43}) f->SetFigureParam(mid, 1.5);  // drift, so the lines spread
  f->SetFigureParam(4, 0.3);
  f->ResetFigure();
  for (uint32_t i = 0; i < ticks; ++i) f->StepFigure();
  return f;
}

Figure& LargestFigure() {
  static std::unique_ptr<Figure> f = Grown(kMaxLines, kMaxPoints, kMaxTicks);
  return *f;
}
Figure& DefaultFigure() {
  static std::unique_ptr<Figure> f = Grown(333, 33, kDefaultTicks);
  return *f;
}

// Both makers' jobs, one after the other on this thread.
struct Buffers {
  std::vector<VertexRecord> vertices;
  std::vector<int32_t> keys;
  std::vector<uint32_t> order, scratch;
  explicit Buffers(uint32_t n) : vertices(n), keys(n), order(n), scratch(n) {}
};
struct Makers {
  Matrix4 camera = Camera();
  uint32_t capacity;
  Buffers b[2];
  MakeJob jobs[2];
  explicit Makers(const Figure& f) : capacity(f.NumCoords()), b{Buffers(capacity), Buffers(capacity)} {
    const uint32_t half = f.LineCount() / 2;
    jobs[0] = FigureJob(f, 1, half, &camera);
    jobs[1] = FigureJob(f, half + 1, f.LineCount(), &camera);
    for (int m = 0; m < 2; ++m) {
      jobs[m].vertices = b[m].vertices.data();
      jobs[m].keys = b[m].keys.data();
      jobs[m].order = b[m].order.data();
      jobs[m].scratch = b[m].scratch.data();
      jobs[m].capacity = capacity;
    }
  }
  uint32_t Build(int m) const { return BuildVertices(jobs[m]); }
  void Sort(int m, uint32_t count) const { SortByKeys(jobs[m].keys, count, jobs[m].order, jobs[m].scratch); }
};
void MakeOnOneThread(benchmark::State& state, Figure& f) {
  Makers makers(f);
  for (auto _ : state) {
    for (int m = 0; m < 2; ++m) makers.Sort(m, makers.Build(m));
    benchmark::ClobberMemory();
  }
  state.counters["points"] = makers.capacity;
}
// The make's two phases alone: building the vertex records (eye distances,
// colours, sizes), and sorting their keys.
void BuildOnOneThread(benchmark::State& state, Figure& f) {
  Makers makers(f);
  for (auto _ : state) {
    for (int m = 0; m < 2; ++m) benchmark::DoNotOptimize(makers.Build(m));
    benchmark::ClobberMemory();
  }
}
void SortOnOneThread(benchmark::State& state, Figure& f) {
  Makers makers(f);
  const uint32_t counts[2] = {makers.Build(0), makers.Build(1)};
  for (auto _ : state) {
    for (int m = 0; m < 2; ++m) makers.Sort(m, counts[m]);
    benchmark::ClobberMemory();
  }
}

// Reads a 64-byte slot and writes 60 bytes (vertex record, key, order) per
// point, as plainly as the compiler can.
struct Slot {
  uint64_t w[8];
};
struct Written {
  uint32_t w[15];
};
void StreamPerPoint(benchmark::State& state, uint32_t n) {
  std::vector<Slot> in(n);
  std::vector<Written> out(n);
  for (uint32_t i = 0; i < n; ++i)
    for (int k = 0; k < 8; ++k) in[i].w[k] = i * 8u + k;
  for (auto _ : state) {
    for (uint32_t i = 0; i < n; ++i)
      for (int k = 0; k < 15; ++k) out[i].w[k] = static_cast<uint32_t>(in[i].w[k % 8]) + k;
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}

void BM_MakeLargest(benchmark::State& state) { MakeOnOneThread(state, LargestFigure()); }
void BM_StreamLargest(benchmark::State& state) { StreamPerPoint(state, LargestFigure().NumCoords()); }
void BM_BuildLargest(benchmark::State& state) { BuildOnOneThread(state, LargestFigure()); }
void BM_SortLargest(benchmark::State& state) { SortOnOneThread(state, LargestFigure()); }
void BM_MakeDefault(benchmark::State& state) { MakeOnOneThread(state, DefaultFigure()); }
void BM_StreamDefault(benchmark::State& state) { StreamPerPoint(state, DefaultFigure().NumCoords()); }

// The draws of one tick with every slot in use: the 19 bounce candidates,
// then one random frame of nine draws for the newborn and one per line.
uint32_t DrawsPerTick(const Figure& f) { return 19 + 9 * (1 + f.LineCount()); }

void TickFigure(benchmark::State& state, Figure& f) {
  for (auto _ : state) benchmark::DoNotOptimize(f.StepFigure());
  state.counters["lines"] = f.LineCount();
}
void DrawFor(benchmark::State& state, const Figure& f) {
  const uint32_t draws = DrawsPerTick(f);
  for (auto _ : state) {
    double sum = 0;
    for (uint32_t i = 0; i < draws; ++i) sum += Random();
    benchmark::DoNotOptimize(sum);
  }
  state.counters["draws"] = draws;
}

void BM_TickLargest(benchmark::State& state) { TickFigure(state, LargestFigure()); }
void BM_DrawsLargest(benchmark::State& state) { DrawFor(state, LargestFigure()); }
void BM_TickDefault(benchmark::State& state) { TickFigure(state, DefaultFigure()); }
void BM_DrawsDefault(benchmark::State& state) { DrawFor(state, DefaultFigure()); }

// The whole road through the calculation thread: a make request, both
// makers in parallel, the fetch. Wall time: the work is on other threads.
void MakeThroughCalcer(benchmark::State& state, uint32_t lines, uint32_t points, uint32_t ticks) {
  std::unique_ptr<TCalcer> calcer(new TCalcer);
  calcer->Resume();
  calcer->SetParam(2, lines);
  calcer->SetParam(1, points);
  for (int mid : {37, 40, 43}) calcer->SetParam(mid, 1.5);
  calcer->Reset();
  calcer->Tick(ticks);
  calcer->GetParam(1);  // served after the ticks
  const Matrix4 camera = Camera();
  double m[16];
  std::copy(camera.begin(), camera.end(), m);
  calcer->FetchMake(calcer->RequestMake(m));  // the buffers are allocated once
  for (auto _ : state) {
    const MakeResult r = calcer->FetchMake(calcer->RequestMake(m));
    benchmark::DoNotOptimize(r.count1);
  }
}
void BM_CalcerMakeLargest(benchmark::State& state) { MakeThroughCalcer(state, kMaxLines, kMaxPoints, kMaxTicks); }
void BM_CalcerMakeDefault(benchmark::State& state) { MakeThroughCalcer(state, 333, 33, kDefaultTicks); }

BENCHMARK(BM_MakeLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortLargest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcerMakeLargest)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TickLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawsLargest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MakeDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StreamDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalcerMakeDefault)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_TickDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawsDefault)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  corvane::InitNumericKernels();
  benchmark::Initialize(&argc, argv);
  corvane::RatioReporter reporter({{"BM_MakeLargest", "BM_StreamLargest", "make / streaming, 10000 x 100 (target <= 2)"},
                                   {"BM_BuildLargest", "BM_StreamLargest", "  of it building / streaming"},
                                   {"BM_SortLargest", "BM_StreamLargest", "  of it sorting / streaming"},
                                   {"BM_TickLargest", "BM_DrawsLargest", "tick / its draws, 10000 lines (target <= 1.35)"},
                                   {"BM_MakeDefault", "BM_StreamDefault", "make / streaming, 333 x 33"},
                                   {"BM_TickDefault", "BM_DrawsDefault", "tick / its draws, 333 lines"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
