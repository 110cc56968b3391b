#pragma once
// TRender: the drawing thread's render context on a window through WGL. It
// opens OpenGL on the window and starts the off-screen renderer where the
// driver allows it, else the plain renderer. Windows only.

#include "render/render_context.h"
#include "render/window_gl.h"

namespace corvane {

// Which renderers a window's context may start.
enum class WindowRenderers { OffScreenFirst, PlainOnly };

class TRender : public RenderContext {
 public:
  explicit TRender(CalcClient& calcer, WindowRenderers renderers = WindowRenderers::OffScreenFirst,
                   FrameClock& clock = SystemFrameClock());
  // Frees the renderer without stopping it and releases the rest, logging
  // failures instead of raising.
  ~TRender() override;

  // `window` is the HWND to draw into.
  bool Init(NativeWindow window) override;
  void Done() override;

  const WindowGL& Window() const { return window_; }

 protected:
  bool CreateRenderer() override;

 private:
  const WindowRenderers renderers_;
  WindowGL window_;
};

}  // namespace corvane
