#include "render/window_gl.h"

#include <vector>

#include "render/gl_error.h"
#include "render/gl_libraries_win32.h"
#include "render/pixel_format_rules.h"
#include "render/wgl_release.h"

namespace corvane {

static_assert(pfd::kDoubleBuffer == PFD_DOUBLEBUFFER && pfd::kDrawToWindow == PFD_DRAW_TO_WINDOW &&
              pfd::kSupportOpenGL == PFD_SUPPORT_OPENGL && pfd::kGenericFormat == PFD_GENERIC_FORMAT &&
              pfd::kNeedPalette == PFD_NEED_PALETTE && pfd::kGenericAccelerated == PFD_GENERIC_ACCELERATED &&
              pfd::kDepthDontCare == PFD_DEPTH_DONTCARE);

namespace {

PIXELFORMATDESCRIPTOR Descriptor(const PixelFormatRequest& request) {
  PIXELFORMATDESCRIPTOR descriptor{};
  descriptor.nSize = sizeof(descriptor);
  descriptor.nVersion = 1;
  descriptor.dwFlags = request.flags;
  descriptor.iPixelType = PFD_TYPE_RGBA;
  descriptor.cColorBits = request.colorBits;
  descriptor.cAlphaBits = request.alphaBits;
  descriptor.cAccumBits = request.accumBits;
  descriptor.cDepthBits = request.depthBits;
  descriptor.iLayerType = PFD_MAIN_PLANE;
  return descriptor;
}

// A driver without extension strings reports no extension; glad leaves the
// flags of an earlier context standing in that case.
void ForgetWGLExtensions() {
  GLAD_WGL_ARB_pixel_format = GLAD_WGL_ARB_pbuffer = GLAD_WGL_ARB_make_current_read = 0;
  GLAD_WGL_ARB_render_texture = GLAD_WGL_EXT_swap_control = 0;
}

}  // namespace

WindowGL::~WindowGL() {
  if (wgl::GetCurrentContext() || wgl::GetCurrentDC())
    Released(wgl::MakeCurrent(nullptr, nullptr), OnReleaseFailure::Log);
  ReleaseHandles(OnReleaseFailure::Log);
}

void WindowGL::Open(HWND window) {
  if (!LoadOpenGLLibraries()) throw EOpenGLError("The OpenGL libraries could not be loaded.");
  wnd_ = window;
  dc_ = GetDC(window);
  if (!dc_) RaiseLastOSErrorAt();
  SetPixelFormatOfDC();
  PIXELFORMATDESCRIPTOR current{};
  const int format = GetPixelFormat(dc_);
  if (format == 0) RaiseLastOSErrorAt();
  Describe(format, current);
  if (current.dwFlags & PFD_NEED_PALETTE) SelectPalette(current);
  rc_ = wgl::CreateContext(dc_);
  if (!rc_) RaiseLastOSErrorAt();
  if (!wgl::MakeCurrent(dc_, rc_)) RaiseLastOSErrorAt();
  if (!gladLoadWGL(dc_, GetGLProcAddress)) ForgetWGLExtensions();
}

void WindowGL::SetPixelFormatOfDC() {
  PixelFormatRequest request = FirstPixelFormatRequest();
  PIXELFORMATDESCRIPTOR chosen{};
  int format = 0;
  for (int made = 1;; ++made) {
    const PIXELFORMATDESCRIPTOR asked = Descriptor(request);
    format = ChoosePixelFormat(dc_, &asked);
    if (format == 0) RaiseLastOSErrorAt();
    Describe(format, chosen);
    const auto next = NextPixelFormatRequest(made, {chosen.dwFlags, chosen.cColorBits});
    if (!next) break;
    request = *next;
  }
  if (format != GetPixelFormat(dc_) && !SetPixelFormat(dc_, format, &chosen)) RaiseLastOSErrorAt();
}

void WindowGL::Describe(int format, PIXELFORMATDESCRIPTOR& description) const {
  if (!DescribePixelFormat(dc_, format, sizeof(description), &description)) RaiseLastOSErrorAt();
}

void WindowGL::SelectPalette(const PIXELFORMATDESCRIPTOR& format) {
  const std::vector<PaletteColor> colors =
      PaletteEntries({format.cColorBits, format.cRedBits, format.cRedShift, format.cGreenBits, format.cGreenShift,
                      format.cBlueBits, format.cBlueShift});
  if (colors.empty()) return;
  // LOGPALETTE declares one entry; the others follow it in the same block.
  std::vector<BYTE> block(sizeof(LOGPALETTE) + (colors.size() - 1) * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(colors.size());
  for (size_t i = 0; i < colors.size(); ++i)
    logical->palPalEntry[i] = {colors[i].red, colors[i].green, colors[i].blue, 0};
  palette_ = CreatePalette(logical);
  if (!palette_) RaiseLastOSErrorAt();
  oldPalette_ = ::SelectPalette(dc_, palette_, FALSE);
  if (!oldPalette_) RaiseLastOSErrorAt();
  if (RealizePalette(dc_) == GDI_ERROR) RaiseLastOSErrorAt();
}

void WindowGL::Close() {
  if (!wgl::MakeCurrent(nullptr, nullptr)) RaiseLastOSErrorAt();
  ReleaseHandles(OnReleaseFailure::Raise);
}

void WindowGL::ReleaseHandles(OnReleaseFailure onFailure) {
  if (dc_) {
    if (oldPalette_ && Released(::SelectPalette(dc_, oldPalette_, FALSE) != nullptr, onFailure))
      oldPalette_ = nullptr;
    if (Released(ReleaseDC(wnd_, dc_), onFailure)) dc_ = nullptr;
  }
  if (palette_ && Released(DeleteObject(palette_), onFailure)) palette_ = nullptr;
  if (rc_ && Released(wgl::DeleteContext(rc_), onFailure)) rc_ = nullptr;
}

}  // namespace corvane
