#include "render/pixel_buffer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "render/gl_libraries_win32.h"
#include "render/window_gl.h"
#include "support/test_support.h"
#include "support/test_window.h"

namespace corvane {
namespace {

using enum RenderOption;

std::optional<int> ValueOf(const TListIntAttrib& list, int attribute) {
  for (size_t i = 0; i < list.Count(); ++i)
    if (list.Data()[2 * i] == attribute) return list.Data()[2 * i + 1];
  return std::nullopt;
}

TEST(PixelBufferAttributes, ListsStayZeroTerminatedAndTheFirstOfTwoAlternativesWins) {
  TListIntAttrib list;
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_EQ(list.Data()[0], 0);
  EXPECT_EQ(list.Data()[1], 0);
  for (int i = 1; i <= 20; ++i) list.Add(i, -i);
  ASSERT_EQ(list.Count(), 20u);
  EXPECT_EQ(list.Data()[38], 20);
  EXPECT_EQ(list.Data()[39], -20);
  EXPECT_EQ(list.Data()[40], 0);
  EXPECT_EQ(list.Data()[41], 0);

  const auto both = PixelFormatAttributes({poAccum32, poAccum64, poDepth24, poDepth32});
  EXPECT_EQ(ValueOf(both, WGL_ACCUM_BITS_ARB), 32);
  EXPECT_EQ(ValueOf(both, WGL_DEPTH_BITS_ARB), 24);
  EXPECT_FALSE(ValueOf(both, WGL_ALPHA_BITS_ARB));
  // Textures follow alpha.
  const auto textured = PixelFormatAttributes({poAlpha, poTexture2D});
  EXPECT_EQ(ValueOf(textured, WGL_BIND_TO_TEXTURE_RGBA_ARB), 1);
  EXPECT_FALSE(ValueOf(textured, WGL_BIND_TO_TEXTURE_RGB_ARB));
  EXPECT_EQ(PbufferAttributes({}).Count(), 0u);
  // A cube map alone names its target but no texture format.
  const auto cube = PbufferAttributes({poTextureCube});
  EXPECT_FALSE(ValueOf(cube, WGL_TEXTURE_FORMAT_ARB));
  EXPECT_EQ(ValueOf(cube, WGL_TEXTURE_TARGET_ARB), WGL_TEXTURE_CUBE_MAP_ARB);
}

TEST(AlphaPbufferQuirk, OnlyWineOverMesaSoftwareRasterisers) {
  EXPECT_TRUE(AlphaPbuffersCrash(true, "llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(AlphaPbuffersCrash(true, "softpipe"));
  EXPECT_FALSE(AlphaPbuffersCrash(false, "llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_FALSE(AlphaPbuffersCrash(true, "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)"));
}

TEST(PixelBuffer, InitializeWithoutCurrentContextRaises) {
  wgl::MakeCurrent(nullptr, nullptr);
  TPixelBuffer buffer;
  EXPECT_EQ(test::Raised<EPixelBufferError>([&] { buffer.Initialize(16, 16, {}); }), "Current DC is not found.");
  EXPECT_FALSE(buffer.IsCurrent());
}

class PixelBufferOnWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.Open(testWindow_.Handle());
    ASSERT_TRUE(gladLoadGL(GetGLProcAddress));
    if (!GLAD_WGL_ARB_pbuffer) GTEST_SKIP() << "driver has no pbuffers";
  }

  // Options that this driver survives (see AlphaPbuffersCrash).
  RenderOptions SafeOptions(RenderOptions options) const {
    if (!CurrentDriverCrashesOnAlphaPbuffers()) options.Include(poAlpha);
    return options;
  }

  test::TestWindow testWindow_{64, 48};
  WindowGL window_;
};

TEST_F(PixelBufferOnWindow, DrawsOffScreenAndCopiesIntoTheWindowThroughTheReadContext) {
  TPixelBuffer buffer;
  ASSERT_TRUE(buffer.Initialize(64, 48, SafeOptions({poReadContext, poAccum64})));
  EXPECT_EQ(buffer.Width(), 64);
  EXPECT_EQ(buffer.Height(), 48);
  EXPECT_EQ(buffer.Format().redBits, 8);
  EXPECT_GE(buffer.Format().colorBits, 24);
  EXPECT_TRUE(buffer.Options().Contains(poReadContext));
  EXPECT_FALSE(buffer.IsCurrent());

  buffer.MakeCurrent();
  EXPECT_TRUE(buffer.IsCurrent());
  glClearColor(1, 0, 0, 1);
  glDrawBuffer(GL_FRONT);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  buffer.RestoreCurrent();
  EXPECT_EQ(wgl::GetCurrentContext(), window_.RC());
  EXPECT_EQ(test::Raised<EPixelBufferError>([&] { buffer.RestoreCurrent(); }), "Cannot restore current context.");

  // The window's context draws into its back buffer, reading the pbuffer.
  buffer.MakeCurrentRead();
  glReadBuffer(GL_FRONT);
  glDrawBuffer(GL_BACK);
  glViewport(0, 0, 64, 48);
  glRasterPos2f(-1, -1);
  glCopyPixels(0, 0, 64, 48, GL_COLOR);
  buffer.RestoreCurrent();
  unsigned char pixel[3] = {};
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(32, 24, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 255);
  EXPECT_EQ(pixel[1], 0);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

  buffer.Release();
  EXPECT_EQ(buffer.DC(), nullptr);
  EXPECT_EQ(buffer.Width(), 0);
  EXPECT_EQ(buffer.Options(), RenderOptions{});
  EXPECT_FALSE(buffer.IsCurrent());
}

TEST_F(PixelBufferOnWindow, MissingExtensionsRefuseQuietlyAndMissingEntryPointsRaise) {
  TPixelBuffer buffer;
  GLAD_WGL_ARB_pbuffer = 0;
  EXPECT_FALSE(buffer.Initialize(16, 16, {}));
  GLAD_WGL_ARB_pbuffer = 1;
  GLAD_WGL_ARB_make_current_read = 0;
  EXPECT_FALSE(buffer.Initialize(16, 16, {poReadContext}));
  EXPECT_TRUE(buffer.Initialize(16, 16, {}));
  buffer.Release();
  GLAD_WGL_ARB_make_current_read = 1;

  const auto create = glad_wglCreatePbufferARB;
  glad_wglCreatePbufferARB = nullptr;
  EXPECT_THROW(buffer.Initialize(16, 16, {}), EPixelBufferError);
  glad_wglCreatePbufferARB = create;
}

}  // namespace
}  // namespace corvane
