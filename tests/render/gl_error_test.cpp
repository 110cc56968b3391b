#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "render/gl_error.h"
#include "render/osmesa_render_context.h"
#include "render_fixtures.h"

namespace corvane {
namespace {

// The message CheckGLError raises, "" when it stays quiet.
std::string Raised() {
  try {
    CheckGLError();
  } catch (const EOpenGLError& e) {
    EXPECT_STREQ(e.ClassName(), "EOpenGLError");
    return e.Message();
  }
  return "";
}

// Mesa keeps one error flag only, so queues of errors come from a stand-in
// for glGetError.
std::vector<GLenum> g_pending;
GLenum GLAD_API_PTR FakeGetError() {
  if (g_pending.empty()) return GL_NO_ERROR;
  GLenum code = g_pending.front();
  g_pending.erase(g_pending.begin());
  return code;
}

std::string RaisedWithPending(std::vector<GLenum> pending) {
  g_pending = std::move(pending);
  PFNGLGETERRORPROC real = glad_glGetError;
  glad_glGetError = FakeGetError;
  std::string message = Raised();
  glad_glGetError = real;
  return message;
}

TEST(CheckGLError, RaisesPendingErrorsUpToSevenInTheOrderRead) {
  test::FakeCalcer calcer;
  OSMesaRenderContext context{calcer, OffscreenSurface{16, 16, true, 0}};
  ASSERT_TRUE(context.Init());
  EXPECT_EQ(Raised(), "");
  glEnable(0xFFFF);  // a real driver error
  std::string real = Raised();
  EXPECT_TRUE(std::regex_match(real, std::regex("Address: \\$[0-9A-F]{8,16}, ErrorCode: 1280, Message: .+"))) << real;
  EXPECT_EQ(Raised(), "");

  std::string three = RaisedWithPending({GL_INVALID_ENUM, GL_INVALID_VALUE, GL_OUT_OF_MEMORY});
  EXPECT_TRUE(std::regex_match(three, std::regex("Address: \\$[0-9A-F]{8,16}"
                                                 ", ErrorCode: 1280, Message: invalid enumerant"
                                                 ", ErrorCode: 1281, Message: invalid value"
                                                 ", ErrorCode: 1285, Message: out of memory")))
      << three;

  std::string many = RaisedWithPending(std::vector<GLenum>(9, GL_INVALID_OPERATION));
  size_t listed = 0;
  for (size_t at = many.find("ErrorCode: 1282"); at != std::string::npos; at = many.find("ErrorCode: 1282", at + 1))
    ++listed;
  EXPECT_EQ(listed, 7u);
  EXPECT_EQ(g_pending.size(), 2u);  // the rest stays for the next check
  EXPECT_EQ(RaisedWithPending({}), "");
}

}  // namespace
}  // namespace corvane
