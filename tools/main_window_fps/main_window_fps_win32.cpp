// corvane-main-window-fps: frames per second of the application's main
// window at its start size, and the process's CPU time while that window is
// paused and while it is minimised.
//
//   corvane-main-window-fps [--seconds N] [--idle-seconds N]
//
// Prints one line per measurement; corvane-window-fps gives the figure
// window's rate beside it (bench/main_window.sh runs both).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/frame_rate.h"
#include "forms/main_window/main_form_win32.h"
#include "gui/gui_win32.h"
#include "os/clock.h"
#include "render/gl_libraries.h"

namespace corvane {
namespace {

struct Options {
  int seconds = 5;
  int idleSeconds = 10;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "corvane-main-window-fps: %s\n", message.c_str());
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (value <= 0) Fail("bad value for " + option);
    if (option == "--seconds")
      options.seconds = value;
    else if (option == "--idle-seconds")
      options.idleSeconds = value;
    else
      Fail("unknown option " + option);
  }
  if (argc % 2 == 0) Fail("missing value after " + std::string(argv[argc - 1]));
  return options;
}

// Serves messages for `ms`, sleeping in between as the message loop does.
void ServeFor(gui::Application& application, double ms) {
  const double end = MilliClock() + ms;
  for (double now = MilliClock(); now < end && !application.Terminated(); now = MilliClock()) {
    application.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now) + 1, QS_ALLINPUT);
  }
}

double ProcessCpuMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME t) { return (double(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

void ReportIdle(const char* state, gui::Application& application, int seconds) {
  ServeFor(application, 1000);  // let the last frame and the state change settle
  const double cpuStart = ProcessCpuMs(), start = MilliClock();
  ServeFor(application, seconds * 1000.0);
  const double share = (ProcessCpuMs() - cpuStart) / (MilliClock() - start) * 100;
  std::printf("%-9s CPU time %.2f %% of one core over %d s\n", state, share, seconds);
  std::fflush(stdout);
}

void Run(const Options& options) {
  gui::Application application;
  TMainForm form;
  form.Show();
  ServeFor(application, 1500);  // the figure grows from nothing: let it fill first
  const FrameRate rate = MeasureFrameRate(
      options.seconds, [&](double ms) { ServeFor(application, ms); }, [&] { return form.GetStatusText(); });
  const gui::Size client = form.ClientSize();
  std::printf("main window %dx%d  %.1f frames/s over %d s  (last status: %s)\n", client.width, client.height,
              rate.framesPerSecond, options.seconds, rate.lastStatus.c_str());
  std::fflush(stdout);

  form.SuspendDrawing();
  ReportIdle("paused", application, options.idleSeconds);
  form.ResumeDrawing();
  ShowWindow(form.Handle(), SW_MINIMIZE);
  ReportIdle("minimised", application, options.idleSeconds);
  application.Terminate();
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  const Options options = ParseOptions(argc, argv);
  if (!LoadOpenGLLibraries()) Fail("the OpenGL libraries could not be loaded");
  TimerResolution1ms resolution;
  Run(options);
  return 0;
}
