#pragma once
// The window-system side of presenting a frame on the current context:
// the buffer swap and the swap interval (vertical synchronisation). Without
// a window system (off-screen OSMesa) there is nothing to swap and no
// interval to control.

namespace corvane {

// Swaps the current drawable's buffers; raises the system error on failure.
void SwapCurrentBuffers();

// Whether the current context can set its swap interval.
bool SwapIntervalSupported();
int GetSwapInterval();
// Raises the system error when the driver refuses.
void SetSwapInterval(int interval);

}  // namespace corvane
