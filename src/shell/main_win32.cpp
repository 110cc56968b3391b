// The Windows entry point of Corvane.exe / Corvane.scr.
#include <windows.h>
#include <shellapi.h>

#include "os/clock.h"
#include "os/text_win32.h"
#include "presets/setup_system_win32.h"
#include "shell/entry.h"

namespace {

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> arguments;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(corvane::Narrow(argv[i]));
  LocalFree(argv);
  return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> arguments = CommandLineArguments();
  // The elevated halves of "Install" and "Remove": nothing but the copy or
  // the deletion, before any start-up.
  if (auto task = corvane::ElevatedRequest(arguments); task != corvane::ElevatedTask::None) {
    // Nothing loaded from here on comes from the folder it was started in.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return corvane::RunElevatedTask(task);
  }
  corvane::TimerResolution1ms timerResolution;
  corvane::RunEntrySequence(arguments);
  return 0;
}
