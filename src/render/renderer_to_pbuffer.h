#pragma once
// TRendererToPBuffer: composes every frame in a pixel buffer the size of the
// virtual screen and, at each swap, copies the viewport-sized picture into
// the window's back buffer and swaps the window. Windows only.
//
// Between operations after a successful Start the pixel buffer's context is
// current and the pixel buffer remembers the window's pair; every override
// that needs the window's context brackets its work with OnSavedContext.

#include <optional>

#include "render/pixel_buffer.h"
#include "render/renderer.h"

namespace corvane {

class TRendererToPBuffer : public TRenderer {
 public:
  // The pixel buffer is single-buffered: frames are composed in its front.
  explicit TRendererToPBuffer(CalcClient& calcer, FrameClock& clock = SystemFrameClock());
  ~TRendererToPBuffer() override;

  void SwapFrame(uint8_t syncMode) override;
  void SetVSync(uint8_t mode) override;
  uint8_t GetVSync() override;
  // Called with the window's context current; false when the driver or the
  // window's colour depth does not allow a pixel buffer, or the driver
  // refuses to make one (logged).
  bool Start(const RenderState& state) override;
  // Leaves the window's context current.
  void Stop(RenderState& state) override;
  void LookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ, double upX,
              double upY, double upZ) override;
  void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, double fovy, double aspect, double zNear,
                   double zFar) override;

  const TPixelBuffer& PixelBuffer() const { return pixelBuffer_; }

 private:
  TPixelBuffer pixelBuffer_;
};

// The pixel buffer's options for a window format, or none when the off-screen
// renderer cannot serve that format.
std::optional<RenderOptions> PixelBufferOptionsFor(int windowColorBits, int windowAlphaBits, bool alphaPbuffersCrash);

}  // namespace corvane
