#pragma once
// An off-screen OpenGL drawable (a WGL pbuffer) with its own device context
// and OpenGL context, and the switching between it and the context that was
// current before. Windows only.

#include "render/gl_libraries.h"

#include <glad/wgl.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "os/exception.h"
#include "render/wgl_release.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EPixelBufferError);

// (attribute, value) pairs of 32-bit integers, always ending in a (0, 0)
// pair: the layout of WGL attribute-list parameters.
class TListIntAttrib {
 public:
  TListIntAttrib() : pairs_{0, 0} {}
  void Add(int32_t attribute, int32_t value);
  // Valid until the next Add.
  const int* Data() const { return pairs_.data(); }
  size_t Count() const { return pairs_.size() / 2 - 1; }  // pairs before the terminator

 private:
  std::vector<int> pairs_;
};

enum class RenderOption : uint16_t {
  poColor16,
  poAlpha,
  poDepth24,
  poDepth32,
  poStencil,
  poAccum32,
  poAccum64,
  poDoubleBuffer,
  poTexture1D,
  poTexture2D,
  poTextureCube,
  poMipmap,
  poReadContext,
};

// Sixteen flags in one word, bit i = option i.
class RenderOptions {
 public:
  constexpr RenderOptions() = default;
  constexpr RenderOptions(std::initializer_list<RenderOption> options) {
    for (RenderOption option : options) Include(option);
  }
  constexpr void Include(RenderOption option) { bits_ |= Bit(option); }
  constexpr bool Contains(RenderOption option) const { return (bits_ & Bit(option)) != 0; }
  constexpr bool AnyTexture() const {
    return Contains(RenderOption::poTexture1D) || Contains(RenderOption::poTexture2D) ||
           Contains(RenderOption::poTextureCube);
  }
  constexpr bool operator==(const RenderOptions&) const = default;

 private:
  static constexpr uint16_t Bit(RenderOption option) { return uint16_t(1u << static_cast<unsigned>(option)); }
  uint16_t bits_ = 0;
};

// The attribute lists that Initialize hands to the driver.
TListIntAttrib PixelFormatAttributes(RenderOptions options);
TListIntAttrib PbufferAttributes(RenderOptions options);

// The pbuffer's format as the driver reports it after creation.
struct PixelBufferFormat {
  int overlays = 0, underlays = 0;
  int redBits = 0, greenBits = 0, blueBits = 0, alphaBits = 0, colorBits = 0;
  int accumBits = 0, depthBits = 0, stencilBits = 0, auxBuffers = 0;
};

// Driver quirk: WGL on Wine over Mesa's software rasterisers (llvmpipe,
// softpipe, swrast) on an X screen of depth 24 kills the whole process with
// an X BadMatch (X_ShmPutImage or X_PutImage) at the first flush of anything
// drawn into a pbuffer whose format has alpha bits: the 32-bit image goes to
// a 24-bit pixmap. Pbuffers without alpha bits work there, read-current and
// copied included.
bool AlphaPbuffersCrash(bool onWine, std::string_view glRenderer);
// The same for the running process and the current context's driver.
bool CurrentDriverCrashesOnAlphaPbuffers();

class TPixelBuffer {
 public:
  TPixelBuffer() = default;
  ~TPixelBuffer();
  TPixelBuffer(const TPixelBuffer&) = delete;
  TPixelBuffer& operator=(const TPixelBuffer&) = delete;

  // Needs a current context, whose device context chooses the format. False
  // when the driver lacks an extension the options need or has no format.
  bool Initialize(int width, int height, RenderOptions options);
  // Make another context current first if the pbuffer's is current.
  void Release();

  void MakeCurrent();
  // The previous context keeps drawing into its own drawable but reads from
  // the pbuffer.
  void MakeCurrentRead();
  void RestoreCurrent();
  bool IsCurrent() const;

  HDC DC() const { return dc_; }
  HGLRC RC() const { return rc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  const PixelBufferFormat& Format() const { return format_; }
  RenderOptions Options() const { return options_; }

 private:
  bool CheckExtensions(RenderOptions options) const;
  // 0 when the driver has no matching format.
  int ChooseFormat(HDC parentDC, RenderOptions options) const;
  void CreateBuffer(HDC parentDC, int format, int width, int height, RenderOptions options);
  void SaveCurrent();
  void ReleaseHandles(OnReleaseFailure onFailure);

  HDC dc_ = nullptr;
  HGLRC rc_ = nullptr;
  HPBUFFERARB pbuffer_ = nullptr;
  HDC savedDC_ = nullptr;
  HGLRC savedRC_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  PixelBufferFormat format_;
  RenderOptions options_;
};

// Switches the current context for one scope and switches back at its end,
// also when the scope ends by a throw, so that no error between the two
// leaves the wrong context current. A failed switch back raises, unless an
// exception is already on its way out: then it is logged.
class CurrentContextBracket {
 public:
  using Switch = void (TPixelBuffer::*)();
  CurrentContextBracket(TPixelBuffer& buffer, Switch enter, Switch leave);
  ~CurrentContextBracket() noexcept(false);
  CurrentContextBracket(const CurrentContextBracket&) = delete;
  CurrentContextBracket& operator=(const CurrentContextBracket&) = delete;

 private:
  TPixelBuffer& buffer_;
  const Switch leave_;
  const int exceptions_;
};

// The context that was current before the pixel buffer's, for one scope.
inline CurrentContextBracket OnSavedContext(TPixelBuffer& buffer) {
  return {buffer, &TPixelBuffer::RestoreCurrent, &TPixelBuffer::MakeCurrent};
}
// The saved context drawing while it reads from the pixel buffer, for one
// scope; entered on the saved context, which is current again after.
inline CurrentContextBracket ReadingPixelBuffer(TPixelBuffer& buffer) {
  return {buffer, &TPixelBuffer::MakeCurrentRead, &TPixelBuffer::RestoreCurrent};
}

// Makes the pbuffers: wglCreatePbufferARB, or while it lives a test's
// stand-in that plays a driver refusing the request.
using PbufferCreator = std::function<HPBUFFERARB(HDC dc, int format, int width, int height, const int* attributes)>;
class ScopedPbufferCreator {
 public:
  explicit ScopedPbufferCreator(PbufferCreator creator);
  ~ScopedPbufferCreator();
  ScopedPbufferCreator(const ScopedPbufferCreator&) = delete;
  ScopedPbufferCreator& operator=(const ScopedPbufferCreator&) = delete;

 private:
  PbufferCreator previous_;
};

}  // namespace corvane
