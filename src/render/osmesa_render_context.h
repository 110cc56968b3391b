#pragma once
// The render context of Linux: an OSMesa off-screen buffer in memory in
// place of a window, optionally with an accumulation buffer. It serves the
// tests and the headless renderer; the whole road of a frame runs on it.

#include <cstdint>
#include <vector>

#include "render/render_context.h"

struct osmesa_context;

namespace corvane {

struct OffscreenSurface {
  int width = 640;
  int height = 480;
  bool alpha = true;  // 8 alpha bits, or none
  int accumBits = 0;  // 0: no accumulation buffer
};

class OSMesaRenderContext : public RenderContext {
 public:
  OSMesaRenderContext(CalcClient& calcer, const OffscreenSurface& surface, FrameClock& clock = SystemFrameClock());
  ~OSMesaRenderContext() override;

  // The window is ignored: the buffer is the surface.
  bool Init(NativeWindow window = nullptr) override;
  void Done() override;

  // The buffer's memory, bottom row first: RGBA, or RGB without alpha.
  // The last presented frame is there.
  const std::vector<uint8_t>& Buffer() const { return buffer_; }
  int BytesPerPixel() const { return surface_.alpha ? 4 : 3; }

 private:
  void Release();

  OffscreenSurface surface_;
  osmesa_context* context_ = nullptr;
  std::vector<uint8_t> buffer_;
};

}  // namespace corvane
