#include "render/renderer_to_pbuffer.h"

#include <algorithm>

#include "os/os_error.h"
#include "render/gl_error.h"
#include "render/gl_libraries_win32.h"
#include "workers/error_log.h"

namespace corvane {

std::optional<RenderOptions> PixelBufferOptionsFor(int windowColorBits, int windowAlphaBits,
                                                   bool alphaPbuffersCrash) {
  using enum RenderOption;
  RenderOptions options{poReadContext};
  // Where the driver quirk strikes, the pixel buffer goes without alpha: the
  // off-screen renderer keeps serving with the blending modes of an
  // alpha-less context instead of taking the process down.
  if (windowAlphaBits > 0 && !alphaPbuffersCrash) options.Include(poAlpha);
  switch (windowColorBits) {
    case 16:
      options.Include(poColor16);
      options.Include(poAccum32);
      return options;
    case 24:
    case 32:
      options.Include(poAccum64);
      return options;
    default:
      return std::nullopt;
  }
}

TRendererToPBuffer::TRendererToPBuffer(CalcClient& calcer, FrameClock& clock)
    : TRenderer(calcer, GL_FRONT, clock) {}

TRendererToPBuffer::~TRendererToPBuffer() {
  if (!pixelBuffer_.IsCurrent()) return;
  try {
    pixelBuffer_.RestoreCurrent();
  } catch (...) {
    LogErrors(ExceptionRecord("TRendererToPBuffer", DescribeCurrentException()));
  }
}

bool TRendererToPBuffer::Start(const RenderState& state) {
  CheckGLError();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glClearAccum(0, 0, 0, 0);
  glDrawBuffer(GL_FRONT_AND_BACK);
  glClear(GL_COLOR_BUFFER_BIT | GL_ACCUM_BUFFER_BIT);
  CheckGLError();

  HDC windowDC = wgl::GetCurrentDC();
  const int format = GetPixelFormat(windowDC);
  if (format == 0) RaiseLastOSErrorAt();
  PIXELFORMATDESCRIPTOR window{};
  if (!DescribePixelFormat(windowDC, format, sizeof(window), &window)) RaiseLastOSErrorAt();
  const auto options =
      PixelBufferOptionsFor(window.cColorBits, window.cAlphaBits, CurrentDriverCrashesOnAlphaPbuffers());
  if (!options) return false;
  try {
    if (!pixelBuffer_.Initialize(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), *options))
      return false;
  } catch (const EOSError&) {
    // A driver may refuse a pixel buffer the size of the whole virtual
    // screen (a very wide desktop, say); the plain renderer still works.
    LogErrors(ExceptionRecord("TRendererToPBuffer", DescribeCurrentException()));
    return false;
  }
  if (!pixelBuffer_.IsCurrent()) pixelBuffer_.MakeCurrent();
  return TRenderer::Start(state);
}

void TRendererToPBuffer::Stop(RenderState& state) {
  TRenderer::Stop(state);
  if (pixelBuffer_.IsCurrent()) pixelBuffer_.RestoreCurrent();
  pixelBuffer_.Release();
}

void TRendererToPBuffer::SwapFrame(uint8_t syncMode) {
  CheckGLError();
  const auto window = OnSavedContext(pixelBuffer_);
  {
    const auto reading = ReadingPixelBuffer(pixelBuffer_);
    glReadBuffer(GL_FRONT);
    glDrawBuffer(GL_BACK);
    glRasterPos4i(0, 0, 0, 1);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    // A window grown past the virtual screen of the start would read beyond
    // the pixel buffer: copy only what it holds.
    glCopyPixels(0, 0, std::min<GLint>(viewport[2], pixelBuffer_.Width()),
                 std::min<GLint>(viewport[3], pixelBuffer_.Height()), GL_COLOR);
    CheckGLError();
  }
  TRenderer::SwapFrame(syncMode);
}

// The swap interval belongs to the window's context.
void TRendererToPBuffer::SetVSync(uint8_t mode) {
  CheckGLError();
  {
    const auto window = OnSavedContext(pixelBuffer_);
    TRenderer::SetVSync(mode);
  }
  CheckGLError();
}

uint8_t TRendererToPBuffer::GetVSync() {
  CheckGLError();
  uint8_t mode;
  {
    const auto window = OnSavedContext(pixelBuffer_);
    mode = TRenderer::GetVSync();
  }
  CheckGLError();
  return mode;
}

void TRendererToPBuffer::LookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
                                double centerZ, double upX, double upY, double upZ) {
  CheckGLError();
  {
    const auto window = OnSavedContext(pixelBuffer_);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFinish();
    CheckGLError();
  }
  TRenderer::LookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

void TRendererToPBuffer::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height, double fovy,
                                     double aspect, double zNear, double zFar) {
  CheckGLError();
  width = std::max(width, 0);
  height = std::max(height, 0);
  {
    // The window's context only copies: one unit per window pixel.
    const auto window = OnSavedContext(pixelBuffer_);
    glViewport(x, y, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(x, width, y, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFinish();
    CheckGLError();
  }
  TRenderer::SetViewport(x, y, width, height, fovy, aspect, zNear, zFar);
}

}  // namespace corvane
