// corvane-render: runs the real calculation thread, makers and renderer on
// an OSMesa buffer with explicit ticks, so that one seed gives the same
// pictures every time, and writes the frames as PNG files.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "drawer/calcer_thread.h"
#include "figure/kernels.h"
#include "figure/preset_params.h"
#include "headless_options.h"
#include "os/exception.h"
#include "os/random.h"
#include "png_file.h"
#include "presets/preset_text.h"
#include "render/osmesa_render_context.h"

namespace corvane {
namespace {

std::string FrameFileName(const std::string& directory, uint32_t frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%04u.png", frame);
  return (std::filesystem::path(directory) / name).string();
}

void Render(const HeadlessOptions& options) {
  TPresetParams preset = options.preset.empty() ? TPresetParams::Defaults() : ReadPresetFile(options.preset);
  for (const auto& [number, value] : options.sets) preset.SetValue(number, value);
  std::error_code error;
  std::filesystem::create_directories(options.out, error);
  if (error) throw std::runtime_error("cannot create " + options.out + ": " + error.message());

  RandomSeed(options.seed);
  CalcerThread calcer;
  calcer.Reset();
  ManualFrameClock clock;
  OSMesaRenderContext context(calcer, OffscreenSurface{options.width, options.height, true, 16}, clock);
  if (!context.Init()) throw std::runtime_error("the renderer did not start");
  TRenderer& renderer = *context.Renderer();
  renderer.SetViewport(0, 0, options.width, options.height, 45, double(options.width) / options.height, 1, 100000);
  // As the drawing thread applies a preset: every number, in order.
  for (int number = 1; number <= kParamCount; ++number) renderer.SetParam(number, preset.GetValue(number));

  // One tick per frame step; the first frames show the figure growing.
  auto step = [&] {
    clock.Advance(renderer.GetParam(3));
    renderer.Step();
  };
  for (uint32_t tick = 0; tick < options.ticks; ++tick) step();
  for (uint32_t frame = 1; frame <= options.frames; ++frame) {
    step();
    WriteRgbPng(FrameFileName(options.out, frame), context.Buffer().data(), options.width, options.height,
                context.BytesPerPixel());
  }
  context.Done();
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::printf("%s\n", kHeadlessUsage);
    return 0;
  }
  HeadlessOptions options;
  try {
    options = ParseHeadlessOptions(args);
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "corvane-render: %s (--help shows the usage)\n", e.what());
    return 2;
  }
  // As the product starts: the kernels are chosen before any worker runs.
  InitNumericKernels();
  try {
    Render(options);
  } catch (const Exception& e) {
    std::fprintf(stderr, "corvane-render: %s: %s\n", e.ClassName(), e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "corvane-render: %s\n", e.what());
    return 1;
  }
  return 0;
}
