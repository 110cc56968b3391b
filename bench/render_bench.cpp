// The renderer's costs: the processor side of drawing a frame (merge of the
// makers' lists and octahedron expansion, draw calls left out) against a
// plain streaming pass over the same records, and whole frames on OSMesa.

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

#include "drawer/calcer_thread.h"
#include "figure/preset_params.h"
#include "ratio_reporter.h"
#include "render/octahedron_batch.h"
#include "render/osmesa_render_context.h"

namespace corvane {
namespace {

// A real figure grown to its size on its own calculation thread, with the
// geometry of one make at the default camera at hand.
class GrownFigure {
 public:
  explicit GrownFigure(bool maximumLoad) {
    calcer_.Reset();
    preset_ = TPresetParams::Defaults();
    if (maximumLoad) {  // 10000 lines of 100 points
      preset_.SetValue(1, 100);
      preset_.SetValue(2, 10000);
    }
    for (int number = 1; number <= kParamCount; ++number)
      if (!IsRendererParam(number)) calcer_.SetParam(number, preset_.GetValue(number));
    calcer_.Tick(static_cast<uint32_t>(preset_.GetValue(2)) + 100);
    // The default camera's model-view matrix, as gluLookAt builds it.
    OSMesaRenderContext context(calcer_, OffscreenSurface{8, 8, true, 0});
    context.Init();
    context.Renderer()->SetParam(55, preset_.GetValue(55));
    geometry_ = calcer_.FetchMake(calcer_.RequestMake(context.Renderer()->State().ModelView));
    context.Done();
  }
  CalcClient& Client() { return calcer_; }
  const TPresetParams& Preset() const { return preset_; }
  const MakeResult& Geometry() const { return geometry_; }

 private:
  CalcerThread calcer_;
  TPresetParams preset_;
  MakeResult geometry_;
};

// Shared by all benchmarks here; the frame benchmarks, registered last, move
// it on, after the processor-side ones have read its first make.
GrownFigure& MaximumFigure() {
  static GrownFigure figure(true);
  return figure;
}

// The processor side of DrawFrame over the maximum figure's million records.
void BM_ComposeMerged(benchmark::State& state) {
  const MakeResult& geometry = MaximumFigure().Geometry();
  OctahedronBatch batch;
  for (auto _ : state) {
    ComposeOctahedra(FirstMakerList(geometry), SecondMakerList(geometry), false, batch,
                     [&](int n) { benchmark::DoNotOptimize(batch.vertices.data()); });
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * (geometry.count1 + geometry.count2));
}
BENCHMARK(BM_ComposeMerged)->Unit(benchmark::kMillisecond);

// The same records expanded in memory order: no merge, no scattered reads.
void BM_StreamRecords(benchmark::State& state) {
  const MakeResult& geometry = MaximumFigure().Geometry();
  OctahedronBatch batch;
  for (auto _ : state) {
    int slot = 0;
    for (const MakerList& list : {FirstMakerList(geometry), SecondMakerList(geometry)})
      for (uint32_t i = 0; i < list.count; ++i) {
        ExpandOctahedron(list.vertices[i], slot, batch);
        if (++slot == kBatchSize) {
          benchmark::DoNotOptimize(batch.vertices.data());
          slot = 0;
        }
      }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * (geometry.count1 + geometry.count2));
}
BENCHMARK(BM_StreamRecords)->Unit(benchmark::kMillisecond);

GrownFigure& DefaultFigure() {
  static GrownFigure figure(false);
  return figure;
}

// Frame steps on OSMesa with the real calculation thread and makers, one
// tick a frame, in a window of `width` x `height` laid out as `views`.
// Items per second are frames per second.
void RunFrames(benchmark::State& state, GrownFigure& figure, int32_t width, int32_t height,
               std::vector<ViewRect> views) {
  ManualFrameClock clock;
  OSMesaRenderContext context(figure.Client(), OffscreenSurface{width, height, true, 16}, clock);
  if (!context.Init()) {
    state.SkipWithError("no renderer");
    return;
  }
  TRenderer& renderer = *context.Renderer();
  renderer.SetViews({width, height, std::move(views)}, 45, 1, 100000);
  for (int number = 1; number <= kParamCount; ++number)
    if (IsRendererParam(number)) renderer.SetParam(number, figure.Preset().GetValue(number));
  for (auto _ : state) {
    clock.Advance(renderer.GetParam(3));
    renderer.Step();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["records"] = renderer.State().Geometry.count1 + renderer.State().Geometry.count2;
  context.Done();
}

// Whole frames at 640x480 on the grown figure of the default preset (333
// lines of 33 points) and of the maximum load (10000 lines of 100).
void BM_FramesOSMesa(benchmark::State& state) {
  RunFrames(state, state.range(0) ? MaximumFigure() : DefaultFigure(), 640, 480, {{0, 0, 640, 480}});
}
BENCHMARK(BM_FramesOSMesa)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Two 1280x1024 monitors side by side under one 2560x1024 window, the
// default figure: one view over both (Span) against the figure drawn into
// the left monitor's view and copied into the right one's (Each monitor).
void BM_SpanTwoMonitors(benchmark::State& state) {
  RunFrames(state, DefaultFigure(), 2560, 1024, {{0, 0, 2560, 1024}});
}
void BM_EachOfTwoMonitors(benchmark::State& state) {
  RunFrames(state, DefaultFigure(), 2560, 1024, {{0, 0, 1280, 1024}, {1280, 0, 1280, 1024}});
}
BENCHMARK(BM_SpanTwoMonitors)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_EachOfTwoMonitors)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  corvane::RatioReporter reporter(
      {{"BM_ComposeMerged", "BM_StreamRecords", "merged / streaming pass, 1,000,000 records (target <= 2)"},
       // Span's time per frame over Each monitor's is Each monitor's rate over Span's.
       {"BM_SpanTwoMonitors", "BM_EachOfTwoMonitors",
        "Each monitor / Span frames per second, two 1280x1024 monitors (target >= 0.90)", true}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
