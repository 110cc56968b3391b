// glad's header first: it stands in for the system GL header osmesa.h wants.
#include "render/gl_libraries.h"

#include <GL/osmesa.h>

#include "render/gl_error.h"
#include "render/osmesa_render_context.h"

namespace corvane {

OSMesaRenderContext::OSMesaRenderContext(CalcClient& calcer, const OffscreenSurface& surface, FrameClock& clock)
    // The buffer is single-buffered: frames are composed in its front.
    : RenderContext(calcer, GL_FRONT, clock), surface_(surface) {}

OSMesaRenderContext::~OSMesaRenderContext() {
  DropRenderer();
  Release();
}

bool OSMesaRenderContext::Init(NativeWindow) {
  if (context_) throw EOpenGLError("The OSMesa context is already open.");
  if (surface_.width <= 0 || surface_.height <= 0) throw EOpenGLError("The OSMesa buffer needs a positive size.");
  context_ = OSMesaCreateContextExt(surface_.alpha ? OSMESA_RGBA : OSMESA_RGB, 0, 0, surface_.accumBits, nullptr);
  if (!context_) throw EOpenGLError("OSMesa could not create a context.");
  buffer_.assign(static_cast<size_t>(surface_.width) * static_cast<size_t>(surface_.height) *
                     static_cast<size_t>(BytesPerPixel()),
                 0);
  if (!OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, surface_.width, surface_.height)) {
    Release();
    throw EOpenGLError("OSMesa could not make its context current.");
  }
  return OpenedGL();
}

void OSMesaRenderContext::Done() {
  FreeRenderer();
  Release();
}

void OSMesaRenderContext::Release() {
  if (!context_) return;
  if (OSMesaGetCurrentContext() == context_) OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
  OSMesaDestroyContext(context_);
  context_ = nullptr;
}

}  // namespace corvane
