#pragma once
// An off-screen OpenGL drawable (a WGL pbuffer) with its own device context
// and OpenGL context, and the switching between it and the context that was
// current before. Windows only.

#include "render/gl_libraries.h"

#include <glad/wgl.h>

#include <cstdint>
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
  constexpr uint16_t Bits() const { return bits_; }
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
  bool Initialize(int width, int height, RenderOptions options, bool shareLists);
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
  bool ShareLists() const { return shareLists_; }

 private:
  bool CheckExtensions(RenderOptions options) const;
  // 0 when the driver has no matching format.
  int ChooseFormat(HDC parentDC, RenderOptions options) const;
  void CreateBuffer(HDC parentDC, HGLRC parentRC, int format, int width, int height, RenderOptions options,
                    bool shareLists);
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
  bool shareLists_ = false;
};

}  // namespace corvane
