// corvane-window-fps: frames per second of a window showing the figure, with
// each renderer, through the real drawing and calculation threads.
//
//   corvane-window-fps [--size WxH] [--seconds N] [--renderer offscreen|plain|both]
//                      [--hold SECONDS]
//
// --hold keeps the last window animating that long after measuring, so that
// a screenshot of the screen can be taken.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/frame_rate.h"
#include "drawer/calcer_thread.h"
#include "drawer/drawer.h"
#include "figure/preset_params.h"
#include "os/clock.h"
#include "os/window_class_win32.h"
#include "render/gl_libraries.h"
#include "render/wgl_render_context.h"

namespace corvane {
namespace {

struct Options {
  int width = 640;
  int height = 480;
  int seconds = 5;
  int holdSeconds = 0;
  std::vector<WindowRenderers> renderers{WindowRenderers::OffScreenFirst, WindowRenderers::PlainOnly};
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "corvane-window-fps: %s\n", message.c_str());
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) Fail("missing value after " + option);
    const std::string value = argv[++i];
    if (option == "--size") {
      if (std::sscanf(value.c_str(), "%dx%d", &options.width, &options.height) != 2 || options.width <= 0 ||
          options.height <= 0)
        Fail("bad size " + value);
    } else if (option == "--seconds") {
      options.seconds = std::atoi(value.c_str());
      if (options.seconds <= 0) Fail("bad seconds " + value);
    } else if (option == "--hold") {
      options.holdSeconds = std::atoi(value.c_str());
    } else if (option == "--renderer") {
      if (value == "offscreen")
        options.renderers = {WindowRenderers::OffScreenFirst};
      else if (value == "plain")
        options.renderers = {WindowRenderers::PlainOnly};
      else if (value != "both")
        Fail("bad renderer " + value);
    } else {
      Fail("unknown option " + option);
    }
  }
  return options;
}

HWND CreateFigureWindow(int width, int height) {
  HWND window = CreateWindowExW(0, RegisterWindowClass({.name = L"CorvaneWindowFps", .style = CS_OWNDC}),
                                L"Corvane", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) Fail("cannot create a window");
  return window;
}

// Serves the window's messages for about `ms` milliseconds.
void PumpFor(uint32_t ms) {
  const double end = MilliClock() + ms;
  while (MilliClock() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    SleepMs(10);
  }
}

void Measure(const Options& options, WindowRenderers renderers, bool hold) {
  HWND window = CreateFigureWindow(options.width, options.height);
  std::unique_ptr<TDrawer> drawer(new TDrawer(std::make_unique<CalcerThread>(), [renderers](CalcClient& calcer) {
    return std::make_unique<TRender>(calcer, renderers);
  }));
  drawer->Resume();
  if (!drawer->StartGL(window)) Fail("OpenGL did not start on the window (see CorvaneErrors.log)");
  drawer->SetViewport(0, 0, options.width, options.height, 45, double(options.width) / options.height, 1, 100000);
  const TPresetParams preset = TPresetParams::Defaults();
  for (int number = 1; number <= kParamCount; ++number) drawer->SetParam(number, preset.GetValue(number));
  drawer->SetAnimating(true);
  PumpFor(1500);  // the figure grows from nothing: let it fill first
  const FrameRate rate = MeasureFrameRate(
      options.seconds, [](double ms) { PumpFor(uint32_t(ms)); }, [&] { return drawer->GetStatusText(); });
  std::printf("%-9s %dx%d  %.1f frames/s over %d s  (last status: %s)\n",
              renderers == WindowRenderers::OffScreenFirst ? "offscreen" : "plain", options.width, options.height,
              rate.framesPerSecond, options.seconds, rate.lastStatus.c_str());
  std::fflush(stdout);
  if (hold) PumpFor(options.holdSeconds * 1000u);
  drawer->StopGL();
  drawer.reset();
  DestroyWindow(window);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  const Options options = ParseOptions(argc, argv);
  if (!LoadOpenGLLibraries()) Fail("the OpenGL libraries could not be loaded");
  TimerResolution1ms resolution;
  for (size_t i = 0; i < options.renderers.size(); ++i)
    Measure(options, options.renderers[i], i + 1 == options.renderers.size() && options.holdSeconds > 0);
  return 0;
}
