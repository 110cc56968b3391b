// The Windows entry point of Corvane.exe / Corvane.scr.
#include <windows.h>
#include <shellapi.h>

#include "os/clock.h"
#include "os/text_win32.h"
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
  corvane::TimerResolution1ms timerResolution;
  corvane::RunEntrySequence(CommandLineArguments());
  return 0;
}
