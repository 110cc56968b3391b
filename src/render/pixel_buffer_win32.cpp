#include "render/pixel_buffer.h"

#include <exception>
#include <mutex>
#include <utility>

#include "render/gl_libraries_win32.h"
#include "render/wgl_release.h"

namespace corvane {
namespace {

std::mutex g_creatorLock;
PbufferCreator g_creator;  // empty: the driver's own

HPBUFFERARB CreatePbuffer(HDC dc, int format, int width, int height, const int* attributes) {
  PbufferCreator creator;
  {
    std::lock_guard<std::mutex> lock(g_creatorLock);
    creator = g_creator;
  }
  return creator ? creator(dc, format, width, height, attributes)
                 : wglCreatePbufferARB(dc, format, width, height, attributes);
}

}  // namespace

ScopedPbufferCreator::ScopedPbufferCreator(PbufferCreator creator) {
  std::lock_guard<std::mutex> lock(g_creatorLock);
  previous_ = std::exchange(g_creator, std::move(creator));
}

ScopedPbufferCreator::~ScopedPbufferCreator() {
  std::lock_guard<std::mutex> lock(g_creatorLock);
  g_creator = std::move(previous_);
}

void TListIntAttrib::Add(int32_t attribute, int32_t value) {
  pairs_[pairs_.size() - 2] = attribute;
  pairs_[pairs_.size() - 1] = value;
  pairs_.push_back(0);
  pairs_.push_back(0);
}

TListIntAttrib PixelFormatAttributes(RenderOptions options) {
  using enum RenderOption;
  TListIntAttrib list;
  list.Add(WGL_SUPPORT_OPENGL_ARB, 1);
  list.Add(WGL_DRAW_TO_PBUFFER_ARB, 1);
  list.Add(WGL_PIXEL_TYPE_ARB, WGL_TYPE_RGBA_ARB);
  const int channelBits = options.Contains(poColor16) ? 5 : 8;
  list.Add(WGL_RED_BITS_ARB, channelBits);
  list.Add(WGL_GREEN_BITS_ARB, channelBits);
  list.Add(WGL_BLUE_BITS_ARB, channelBits);
  list.Add(WGL_DOUBLE_BUFFER_ARB, options.Contains(poDoubleBuffer) ? 1 : 0);
  if (options.Contains(poAlpha)) list.Add(WGL_ALPHA_BITS_ARB, 8);
  if (options.Contains(poDepth24))
    list.Add(WGL_DEPTH_BITS_ARB, 24);
  else if (options.Contains(poDepth32))
    list.Add(WGL_DEPTH_BITS_ARB, 32);
  if (options.Contains(poStencil)) list.Add(WGL_STENCIL_BITS_ARB, 8);
  if (options.Contains(poAccum32))
    list.Add(WGL_ACCUM_BITS_ARB, 32);
  else if (options.Contains(poAccum64))
    list.Add(WGL_ACCUM_BITS_ARB, 64);
  if (options.AnyTexture())
    list.Add(options.Contains(poAlpha) ? WGL_BIND_TO_TEXTURE_RGBA_ARB : WGL_BIND_TO_TEXTURE_RGB_ARB, 1);
  return list;
}

TListIntAttrib PbufferAttributes(RenderOptions options) {
  using enum RenderOption;
  TListIntAttrib list;
  if (options.Contains(poTexture1D) || options.Contains(poTexture2D))
    list.Add(WGL_TEXTURE_FORMAT_ARB, options.Contains(poAlpha) ? WGL_TEXTURE_RGBA_ARB : WGL_TEXTURE_RGB_ARB);
  if (options.Contains(poTexture1D))
    list.Add(WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_1D_ARB);
  else if (options.Contains(poTexture2D))
    list.Add(WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_2D_ARB);
  else if (options.Contains(poTextureCube))
    list.Add(WGL_TEXTURE_TARGET_ARB, WGL_TEXTURE_CUBE_MAP_ARB);
  if (options.Contains(poMipmap)) list.Add(WGL_MIPMAP_TEXTURE_ARB, 1);
  return list;
}

bool AlphaPbuffersCrash(bool onWine, std::string_view glRenderer) {
  if (!onWine) return false;
  for (std::string_view software : {"llvmpipe", "softpipe", "Software Rasterizer"})
    if (glRenderer.find(software) != std::string_view::npos) return true;
  return false;
}

bool CurrentDriverCrashesOnAlphaPbuffers() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const bool onWine = ntdll && GetProcAddress(ntdll, "wine_get_version");
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return AlphaPbuffersCrash(onWine, renderer ? renderer : "");
}

TPixelBuffer::~TPixelBuffer() {
  if ((dc_ && wgl::GetCurrentDC() == dc_) || (rc_ && wgl::GetCurrentContext() == rc_)) {
    Released(wgl::MakeCurrent(nullptr, nullptr), OnReleaseFailure::Log);
  }
  ReleaseHandles(OnReleaseFailure::Log);
}

bool TPixelBuffer::Initialize(int width, int height, RenderOptions options) {
  HDC parentDC = wgl::GetCurrentDC();
  if (!parentDC) throw EPixelBufferError("Current DC is not found.");
  if (!wgl::GetCurrentContext()) throw EPixelBufferError("Current GLRC is not found.");
  if (!CheckExtensions(options)) return false;
  const int format = ChooseFormat(parentDC, options);
  if (format == 0) return false;
  CreateBuffer(parentDC, format, width, height, options);
  options_ = options;
  return true;
}

bool TPixelBuffer::CheckExtensions(RenderOptions options) const {
  const auto required = [](std::initializer_list<const void*> entryPoints) {
    for (const void* entry : entryPoints)
      if (!entry) throw EPixelBufferError("Required OpenGL extensions is not initialized.");
  };
  if (!GLAD_WGL_ARB_pixel_format || !GLAD_WGL_ARB_pbuffer) return false;
  // The attribute query belongs to the same extension and is used right
  // after creation, so a driver missing it is refused like the others.
  required({reinterpret_cast<const void*>(wglChoosePixelFormatARB),
            reinterpret_cast<const void*>(wglGetPixelFormatAttribivARB),
            reinterpret_cast<const void*>(wglCreatePbufferARB), reinterpret_cast<const void*>(wglGetPbufferDCARB),
            reinterpret_cast<const void*>(wglQueryPbufferARB),
            reinterpret_cast<const void*>(wglReleasePbufferDCARB),
            reinterpret_cast<const void*>(wglDestroyPbufferARB)});
  if (options.AnyTexture()) {
    if (!GLAD_WGL_ARB_render_texture) return false;
    required({reinterpret_cast<const void*>(wglBindTexImageARB),
              reinterpret_cast<const void*>(wglReleaseTexImageARB),
              reinterpret_cast<const void*>(wglSetPbufferAttribARB)});
  }
  if (options.Contains(RenderOption::poReadContext)) {
    if (!GLAD_WGL_ARB_make_current_read) return false;
    required({reinterpret_cast<const void*>(wglMakeContextCurrentARB),
              reinterpret_cast<const void*>(wglGetCurrentReadDCARB)});
  }
  return true;
}

int TPixelBuffer::ChooseFormat(HDC parentDC, RenderOptions options) const {
  const TListIntAttrib attributes = PixelFormatAttributes(options);
  int format = 0;
  UINT count = 0;
  if (!wglChoosePixelFormatARB(parentDC, attributes.Data(), nullptr, 1, &format, &count)) RaiseLastOSErrorAt();
  return count == 0 ? 0 : format;
}

void TPixelBuffer::CreateBuffer(HDC parentDC, int format, int width, int height, RenderOptions options) {
  const TListIntAttrib attributes = PbufferAttributes(options);
  try {
    pbuffer_ = CreatePbuffer(parentDC, format, width, height, attributes.Data());
    if (!pbuffer_) RaiseLastOSErrorAt();
    dc_ = wglGetPbufferDCARB(pbuffer_);
    if (!dc_) RaiseLastOSErrorAt();
    rc_ = wgl::CreateContext(dc_);
    if (!rc_) RaiseLastOSErrorAt();
    if (!wglQueryPbufferARB(pbuffer_, WGL_PBUFFER_WIDTH_ARB, &width_) ||
        !wglQueryPbufferARB(pbuffer_, WGL_PBUFFER_HEIGHT_ARB, &height_))
      RaiseLastOSErrorAt();
    const int queries[] = {WGL_NUMBER_OVERLAYS_ARB, WGL_NUMBER_UNDERLAYS_ARB, WGL_RED_BITS_ARB,
                           WGL_GREEN_BITS_ARB,      WGL_BLUE_BITS_ARB,        WGL_ALPHA_BITS_ARB,
                           WGL_COLOR_BITS_ARB,      WGL_ACCUM_BITS_ARB,       WGL_DEPTH_BITS_ARB,
                           WGL_STENCIL_BITS_ARB,    WGL_AUX_BUFFERS_ARB};
    int values[std::size(queries)] = {};
    if (!wglGetPixelFormatAttribivARB(dc_, format, 0, std::size(queries), queries, values)) RaiseLastOSErrorAt();
    format_ = {values[0], values[1], values[2], values[3], values[4], values[5],
               values[6], values[7], values[8], values[9], values[10]};
  } catch (...) {
    ReleaseHandles(OnReleaseFailure::Log);
    throw;
  }
}

void TPixelBuffer::Release() {
  ReleaseHandles(OnReleaseFailure::Raise);
  savedDC_ = nullptr;
  savedRC_ = nullptr;
  width_ = height_ = 0;
  format_ = {};
  options_ = {};
}

void TPixelBuffer::ReleaseHandles(OnReleaseFailure onFailure) {
  if (rc_ && Released(wgl::DeleteContext(rc_), onFailure)) rc_ = nullptr;
  if (dc_ && Released(wglReleasePbufferDCARB(pbuffer_, dc_), onFailure)) dc_ = nullptr;
  if (pbuffer_ && Released(wglDestroyPbufferARB(pbuffer_), onFailure)) pbuffer_ = nullptr;
}

void TPixelBuffer::SaveCurrent() {
  savedDC_ = wgl::GetCurrentDC();
  savedRC_ = wgl::GetCurrentContext();
}

void TPixelBuffer::MakeCurrent() {
  SaveCurrent();
  if (!wgl::MakeCurrent(dc_, rc_)) RaiseLastOSErrorAt();
}

void TPixelBuffer::MakeCurrentRead() {
  SaveCurrent();
  if (!wglMakeContextCurrentARB(savedDC_, dc_, savedRC_)) RaiseLastOSErrorAt();
}

void TPixelBuffer::RestoreCurrent() {
  if (!savedDC_ || !savedRC_) throw EPixelBufferError("Cannot restore current context.");
  if (!wgl::MakeCurrent(savedDC_, savedRC_)) RaiseLastOSErrorAt();
  savedDC_ = nullptr;
  savedRC_ = nullptr;
}

// An empty object is never current, even when no context is current at all.
bool TPixelBuffer::IsCurrent() const {
  return rc_ && wgl::GetCurrentDC() == dc_ && wgl::GetCurrentContext() == rc_;
}

CurrentContextBracket::CurrentContextBracket(TPixelBuffer& buffer, Switch enter, Switch leave)
    : buffer_(buffer), leave_(leave), exceptions_(std::uncaught_exceptions()) {
  (buffer_.*enter)();
}

CurrentContextBracket::~CurrentContextBracket() noexcept(false) {
  if (std::uncaught_exceptions() == exceptions_) {
    (buffer_.*leave_)();
    return;
  }
  try {
    (buffer_.*leave_)();
  } catch (...) {
    LogErrors(ExceptionRecord("TPixelBuffer", DescribeCurrentException()));
  }
}

}  // namespace corvane
