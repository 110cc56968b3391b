#pragma once
// The drawing thread's handle on OpenGL for one drawing surface: it opens
// the context, starts a renderer on it, and keeps the renderer's state
// while no renderer exists, so that a later Init continues with the same
// parameters, camera and status. The window-system side (WGL on Windows,
// an OSMesa buffer on Linux) is the derived class's; the drawing thread
// talks only to this interface.

#include <memory>

#include "render/calc_client.h"
#include "render/frame_clock.h"
#include "render/gl_libraries.h"
#include "render/render_state.h"
#include "render/renderer.h"

namespace corvane {

// The window a context draws into (an HWND on Windows); surfaces that are
// not windows ignore it.
using NativeWindow = void*;

class RenderContext {
 public:
  RenderContext(const RenderContext&) = delete;
  RenderContext& operator=(const RenderContext&) = delete;
  virtual ~RenderContext() = default;

  // Opens OpenGL on the window and starts a renderer; false when no
  // renderer could start. Raises on failed system or OpenGL calls.
  virtual bool Init(NativeWindow window) = 0;
  // Stops the renderer (its state is kept here) and closes OpenGL.
  virtual void Done() = 0;

  // The running renderer; null outside Init ... Done.
  TRenderer* Renderer() const { return renderer_.get(); }
  // The kept renderer state; up to date while no renderer exists.
  const RenderState& State() const { return state_; }

 protected:
  // `frameBuffer` names the surface's buffer that the plain renderer
  // composes frames in: GL_BACK when double-buffered, else GL_FRONT.
  RenderContext(CalcClient& calcer, GLenum frameBuffer, FrameClock& clock);

  // With the new context current: loads the OpenGL entry points, records
  // the driver strings for the error log, and creates the renderer.
  bool OpenedGL();
  // Starts the plain renderer; a surface with a better renderer tries that
  // first (StartRenderer), drops it on false and falls back on this.
  virtual bool CreateRenderer();
  // Makes `renderer` the current one and starts it from the kept state.
  bool StartRenderer(std::unique_ptr<TRenderer> renderer);
  // Stops the renderer into the kept state and frees it.
  void FreeRenderer();
  // Frees the renderer without stopping it (destruction, no error raised).
  void DropRenderer() { renderer_.reset(); }

  CalcClient& Calcer() const { return calcer_; }
  FrameClock& Clock() const { return clock_; }

 private:
  CalcClient& calcer_;
  const GLenum frameBuffer_;
  FrameClock& clock_;
  std::unique_ptr<TRenderer> renderer_;
  RenderState state_ = kRenderStateTemplate;
};

}  // namespace corvane
