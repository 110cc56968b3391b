#pragma once
// Where a drawing thread under test draws: a real window with the WGL render
// context on Windows (under Wine in Xvfb), an OSMesa buffer elsewhere.

#include <memory>

#include "drawer/drawer.h"

#if defined(_WIN32)
#include "../render/plain_window_render.h"
#include "render/wgl_render_context.h"
#include "support/test_window.h"
#else
#include "render/osmesa_render_context.h"
#endif

namespace corvane::test {

class DrawerSurface {
 public:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 120;

  // `offScreen`: the renderer on a pixel buffer where the platform has one.
  explicit DrawerSurface(bool offScreen = true) : offScreen_(offScreen) {}

#if defined(_WIN32)
  NativeWindow Window() const { return window_.Handle(); }
  RenderContextFactory Factory() const {
    if (offScreen_) return [](CalcClient& calcer) { return std::make_unique<TRender>(calcer); };
    return [](CalcClient& calcer) { return std::make_unique<RenderWithoutPbuffers>(calcer); };
  }

 private:
  TestWindow window_{kWidth, kHeight};
#else
  NativeWindow Window() const { return nullptr; }
  RenderContextFactory Factory() const {
    return [](CalcClient& calcer) {
      return std::make_unique<OSMesaRenderContext>(calcer, OffscreenSurface{kWidth, kHeight, true, 0});
    };
  }

 private:
#endif
  bool offScreen_;
};

}  // namespace corvane::test
