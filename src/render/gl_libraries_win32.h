#pragma once
// The WGL routines of the system's OpenGL library, resolved when
// LoadOpenGLLibraries loads it. The program imports nothing from that
// library, so that a machine without it gets the logged "OpenGL is not
// initialized." instead of a program the system loader refuses to start.
// Before a successful load each call fails (null or FALSE, last error
// ERROR_MOD_NOT_FOUND). Windows only.

#include <windows.h>

namespace corvane::wgl {

HGLRC CreateContext(HDC dc);
BOOL DeleteContext(HGLRC rc);
BOOL MakeCurrent(HDC dc, HGLRC rc);
HGLRC GetCurrentContext();
HDC GetCurrentDC();

}  // namespace corvane::wgl
