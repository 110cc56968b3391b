// What loading and converting presets costs: the preset text conversions,
// reading a preset file's text, and applying a stored preset (69 registry
// rounds) on the in-memory backend.

#include <benchmark/benchmark.h>

#include "presets/memory_registry.h"
#include "presets/param_sink.h"
#include "presets/preset_selection.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"

namespace corvane {
namespace {

void BM_PresetFileText(benchmark::State& state) {
  const TPresetParams preset = TPresetParams::Defaults();
  for (auto _ : state) benchmark::DoNotOptimize(PresetFileText(preset));
}
BENCHMARK(BM_PresetFileText);

void BM_ParsePresetFileText(benchmark::State& state) {
  const std::string text = PresetFileText(TPresetParams::Defaults());
  for (auto _ : state) benchmark::DoNotOptimize(ParsePresetFileText(text));
}
BENCHMARK(BM_ParsePresetFileText);

void BM_ParseTransferText(benchmark::State& state) {
  const std::string text = BuildTransferText(PresetTransferCells(TPresetParams::Defaults()));
  for (auto _ : state) benchmark::DoNotOptimize(ParseTransferText(text));
}
BENCHMARK(BM_ParseTransferText);

class NullSink : public ParamSink {
 public:
  void SetParam(int number, double value) override { benchmark::DoNotOptimize(value); }
};

void BM_ApplyStoredPreset(benchmark::State& state) {
  MemoryRegistry memory;
  RegistryPlace saved = CurrentRegistryPlace();
  SetRegistryPlace({&memory, kRegistryRoot});
  for (int n = 1; n <= kParamCount; ++n) WriteListParam("Galaxy", n, ParamDefault(n));
  NullSink sink;
  for (auto _ : state) ApplyStoredPreset("Galaxy", sink);
  SetRegistryPlace(saved);
}
BENCHMARK(BM_ApplyStoredPreset);

}  // namespace
}  // namespace corvane
