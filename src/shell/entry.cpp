#include "shell/entry.h"

#include "desktop/spin_thread.h"
#include "figure/kernels.h"
#include "os/clock.h"
#include "os/process.h"
#include "os/random.h"
#include "render/gl_libraries.h"
#include "shell/command_line.h"
#include "shell/run_modes.h"
#include "shell/start_file.h"
#include "workers/error_log.h"

namespace corvane {

void RunEntrySequence(const std::vector<std::string>& arguments, const OpenGLLibraryNames& libraries) {
  RandomSeed(static_cast<uint32_t>(PerformanceCounter()));
  // Before any other thread starts: the workers only read the choice.
  InitNumericKernels();
  StartSpinThread();
  try {
    if (!LoadOpenGLLibraries(libraries)) throw Exception("OpenGL is not initialized.");
    StartRequest request = ParseStartArguments(arguments, FileExists);
    switch (request.mode) {
      case RunMode::Configuration: RunConfiguration(arguments); break;
      case RunMode::Preview: RunPreview(arguments); break;
      case RunMode::FullScreen: RunFullScreen(); break;
      case RunMode::Application:
        SetStartFile(request.startFileKind, request.startFileName);
        RunApplication();
        break;
    }
  } catch (...) {
    LogErrors(ExceptionRecord(ModuleBaseName(), DescribeCurrentException()));
  }
}

}  // namespace corvane
