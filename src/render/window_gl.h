#pragma once
// OpenGL on a window's device context: the pixel format, a palette where the
// format needs one, and the context, made current on the calling thread with
// the WGL extension entry points loaded. Windows only.

#include "render/gl_libraries.h"

#include <glad/wgl.h>

#include "render/wgl_release.h"

namespace corvane {

class WindowGL {
 public:
  WindowGL() = default;
  // Releases what is left; failures are logged, not raised.
  ~WindowGL();
  WindowGL(const WindowGL&) = delete;
  WindowGL& operator=(const WindowGL&) = delete;

  // Leaves the new context current. Raises the system error of a failed call.
  void Open(HWND window);
  // Makes no context current and releases palette, device context and
  // context. Raises the system error of a failed call.
  void Close();

  HDC DC() const { return dc_; }
  HGLRC RC() const { return rc_; }

 private:
  void SetPixelFormatOfDC();
  void SelectPalette(const PIXELFORMATDESCRIPTOR& format);
  void Describe(int format, PIXELFORMATDESCRIPTOR& description) const;
  void ReleaseHandles(OnReleaseFailure onFailure);

  HPALETTE oldPalette_ = nullptr;
  HPALETTE palette_ = nullptr;
  HWND wnd_ = nullptr;
  HDC dc_ = nullptr;
  HGLRC rc_ = nullptr;
};

}  // namespace corvane
