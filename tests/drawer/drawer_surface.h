#pragma once
// Where a drawing thread under test draws: a real window with the WGL render
// context on Windows (under Wine in Xvfb), an OSMesa buffer elsewhere.

#include <memory>

#include "drawer/drawer.h"
#include "render/frame_clock.h"

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

  // The frame steps take their time from `clock` (the system's when null);
  // the factory, and so the drawing thread holding it, keeps it alive.
  RenderContextFactory Factory(std::shared_ptr<FrameClock> clock = nullptr) const {
    auto clockOf = [clock]() -> FrameClock& { return clock ? *clock : SystemFrameClock(); };
#if defined(_WIN32)
    if (offScreen_)
      return [clockOf](CalcClient& calcer) {
        return std::make_unique<TRender>(calcer, WindowRenderers::OffScreenFirst, clockOf());
      };
    return [clockOf](CalcClient& calcer) {
      return std::make_unique<RenderWithoutPbuffers>(calcer, WindowRenderers::OffScreenFirst, clockOf());
    };
#else
    return [clockOf](CalcClient& calcer) {
      return std::make_unique<OSMesaRenderContext>(calcer, OffscreenSurface{kWidth, kHeight, true, 0}, clockOf());
    };
#endif
  }

#if defined(_WIN32)
  NativeWindow Window() const { return window_.Handle(); }

 private:
  TestWindow window_{kWidth, kHeight};
#else
  NativeWindow Window() const { return nullptr; }

 private:
#endif
  bool offScreen_;
};

}  // namespace corvane::test
