#include <gtest/gtest.h>

#include "render/gl_libraries.h"

#include <GL/osmesa.h>

#include <regex>
#include <vector>

#include "render/gl_error.h"
#include "render/gl_libraries.h"

namespace corvane {
namespace {

class TestContext {
 public:
  TestContext() : context_(OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr)), pixels_(16 * 16 * 4) {
    if (context_ && OSMesaMakeCurrent(context_, pixels_.data(), GL_UNSIGNED_BYTE, 16, 16))
      gladLoadGL(GetGLProcAddress);
  }
  ~TestContext() { OSMesaDestroyContext(context_); }
  bool Ok() const { return context_ != nullptr; }

 private:
  OSMesaContext context_;
  std::vector<unsigned char> pixels_;
};

TEST(CheckGLError, ReturnsQuietlyWithoutPendingErrors) {
  TestContext context;
  ASSERT_TRUE(context.Ok());
  EXPECT_NO_THROW(CheckGLError());
}

TEST(CheckGLError, RealDriverErrorBecomesEOpenGLError) {
  TestContext context;
  ASSERT_TRUE(context.Ok());
  glEnable(0xFFFF);
  try {
    CheckGLError();
    FAIL() << "no exception";
  } catch (const EOpenGLError& e) {
    EXPECT_STREQ(e.ClassName(), "EOpenGLError");
    EXPECT_TRUE(std::regex_match(e.Message(), std::regex("Address: \\$[0-9A-F]{8,16}, ErrorCode: 1280, Message: .+")))
        << e.Message();
  }
  EXPECT_NO_THROW(CheckGLError());
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

std::string CheckWithPending(std::vector<GLenum> pending) {
  g_pending = std::move(pending);
  PFNGLGETERRORPROC real = glad_glGetError;
  glad_glGetError = FakeGetError;
  std::string message;
  try {
    CheckGLError();
  } catch (const EOpenGLError& e) {
    message = e.Message();
  }
  glad_glGetError = real;
  return message;
}

TEST(CheckGLError, ListsUpToSevenPendingErrorsInTheOrderRead) {
  std::string three = CheckWithPending({GL_INVALID_ENUM, GL_INVALID_VALUE, GL_OUT_OF_MEMORY});
  EXPECT_TRUE(std::regex_match(three, std::regex("Address: \\$[0-9A-F]{8,16}"
                                                 ", ErrorCode: 1280, Message: invalid enumerant"
                                                 ", ErrorCode: 1281, Message: invalid value"
                                                 ", ErrorCode: 1285, Message: out of memory")))
      << three;

  std::string many = CheckWithPending(std::vector<GLenum>(9, GL_INVALID_OPERATION));
  size_t listed = 0;
  for (size_t at = many.find("ErrorCode: 1282"); at != std::string::npos; at = many.find("ErrorCode: 1282", at + 1))
    ++listed;
  EXPECT_EQ(listed, 7u);
  EXPECT_EQ(g_pending.size(), 2u);  // the rest stays for the next check
  EXPECT_EQ(CheckWithPending({}), "");
}

}  // namespace
}  // namespace corvane
