// Run modes whose windows are not part of this build yet. Choosing one is
// reported through the error log rather than silently doing nothing.
#include "os/exception.h"
#include "shell/run_modes.h"

namespace corvane {

void RunApplication() { throw Exception("The application window is not part of this build."); }

}  // namespace corvane
