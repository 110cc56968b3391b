// corvane-editor-latency: how long a key typed into a row of the preset
// editor takes to reach the picture. The time is frozen, so that frames
// change only by the typed value; each round prepares the EyeX row with
// "90" or "-90" (nothing sent), posts one "0" key to its box and waits for
// the first frame whose pixels differ from the one before the key.
//
//   corvane-editor-latency [--rounds N]
//
// Prints every round and the median; bench/editor_window.sh runs it.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "forms/preset_editor/advanced_form_win32.h"
#include "gui/gui_win32.h"
#include "os/clock.h"
#include "render/gl_libraries.h"

namespace corvane {
namespace {

constexpr int kEyeXTab = 7, kEyeXRow = 1;
constexpr double kLimitMs = 5000;

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "corvane-editor-latency: %s\n", message.c_str());
  std::exit(2);
}

void ServeFor(gui::Application& application, double ms) {
  const double end = MilliClock() + ms;
  for (double now = MilliClock(); now < end; now = MilliClock()) {
    application.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now) + 1, QS_ALLINPUT);
  }
}

std::vector<uint8_t> Frame(TDrawer& drawer) {
  PixelBlock block = drawer.GetPixels();
  const size_t size = size_t(block.width) * size_t(block.height) * 3;
  return block.pixels ? std::vector<uint8_t>(block.pixels.get(), block.pixels.get() + size) : std::vector<uint8_t>();
}

HWND EditOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  return info.hwndItem;
}

void Run(int rounds) {
  gui::Application application;
  TMainForm main;
  TAdvancedForm editor(main, 0, {});
  main.Show();
  editor.Show();
  ServeFor(application, 1500);  // let the figure fill
  main.SetTimeFrozenByUser(true);
  ServeFor(application, 300);

  TComboEdit& rows = editor.Rows(kEyeXTab);
  HWND box = EditOf(rows.Box(kEyeXRow).Handle());
  std::vector<double> latencies;
  for (int round = 0; round < rounds; ++round) {
    rows.SetRowValue(kEyeXRow, round % 2 ? -90 : 90);
    ServeFor(application, 100);
    std::vector<uint8_t> before = Frame(main.Drawer());
    if (before != Frame(main.Drawer())) Fail("the picture changes with the time frozen");
    SendMessageW(box, EM_SETSEL, 2 + round % 2, 2 + round % 2);
    const double start = MilliClock();
    PostMessageW(box, WM_CHAR, L'0', 1);
    double latency = -1;
    while (MilliClock() - start < kLimitMs) {
      application.ProcessMessages();
      if (Frame(main.Drawer()) != before) {
        latency = MilliClock() - start;
        break;
      }
    }
    if (latency < 0) Fail("no changed frame within 5 s");
    std::printf("round %2d  EyeX %s  %.1f ms\n", round + 1, rows.Box(kEyeXRow).Text().c_str(), latency);
    latencies.push_back(latency);
  }
  std::sort(latencies.begin(), latencies.end());
  const size_t middle = latencies.size() / 2;
  const double median =
      latencies.size() % 2 ? latencies[middle] : (latencies[middle - 1] + latencies[middle]) / 2;
  std::printf("key to first changed frame: median %.1f ms over %d rounds (min %.1f, max %.1f)\n", median, rounds,
              latencies.front(), latencies.back());
  std::fflush(stdout);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  int rounds = 20;
  if (argc == 3 && std::strcmp(argv[1], "--rounds") == 0) rounds = std::atoi(argv[2]);
  else if (argc != 1) Fail("usage: corvane-editor-latency [--rounds N]");
  if (rounds < 1) Fail("bad number of rounds");
  if (!LoadOpenGLLibraries()) Fail("the OpenGL libraries could not be loaded");
  TimerResolution1ms resolution;
  Run(rounds);
  return 0;
}
