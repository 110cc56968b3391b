#include "render/wgl_render_context.h"

#include "render/renderer_to_pbuffer.h"

namespace corvane {

TRender::TRender(CalcClient& calcer, WindowRenderers renderers, FrameClock& clock)
    : RenderContext(calcer, GL_BACK, clock), renderers_(renderers) {}

TRender::~TRender() { DropRenderer(); }

bool TRender::Init(NativeWindow window) {
  window_.Open(static_cast<HWND>(window));
  return OpenedGL();
}

void TRender::Done() {
  FreeRenderer();
  window_.Close();
}

// Only a false Start selects the plain renderer; errors go to the caller.
bool TRender::CreateRenderer() {
  if (renderers_ == WindowRenderers::OffScreenFirst) {
    if (StartRenderer(std::make_unique<TRendererToPBuffer>(Calcer(), Clock()))) return true;
    DropRenderer();
  }
  return RenderContext::CreateRenderer();
}

}  // namespace corvane
