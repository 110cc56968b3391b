#include "render/swap_control.h"

namespace corvane {

// An OSMesa buffer is single-buffered and in the caller's memory: the frame
// is there once the renderer has flushed or finished.
void SwapCurrentBuffers() {}

bool SwapIntervalSupported() { return false; }
int GetSwapInterval() { return 0; }
void SetSwapInterval(int) {}

}  // namespace corvane
