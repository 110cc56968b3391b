#include <windows.h>

#include "render/gl_libraries.h"

#include <glad/wgl.h>

#include "os/os_error.h"
#include "render/gl_libraries_win32.h"
#include "render/swap_control.h"

namespace corvane {

void SwapCurrentBuffers() {
  if (!SwapBuffers(wgl::GetCurrentDC())) RaiseLastOSErrorAt();
}

bool SwapIntervalSupported() { return GLAD_WGL_EXT_swap_control != 0; }

int GetSwapInterval() { return wglGetSwapIntervalEXT(); }

void SetSwapInterval(int interval) {
  if (!wglSwapIntervalEXT(interval)) RaiseLastOSErrorAt();
}

}  // namespace corvane
