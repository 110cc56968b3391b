#pragma once
// The WGL render context on a driver that reports no pbuffer extension: it
// must fall back to the plain renderer.

#include "render/wgl_render_context.h"

namespace corvane::test {

class RenderWithoutPbuffers : public TRender {
 public:
  using TRender::TRender;

 protected:
  bool CreateRenderer() override {
    GLAD_WGL_ARB_pbuffer = 0;
    return TRender::CreateRenderer();
  }
};

}  // namespace corvane::test
