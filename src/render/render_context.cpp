#include "render/render_context.h"

#include "render/gl_error.h"
#include "workers/error_log.h"

namespace corvane {
namespace {

std::string GLString(GLenum name) {
  const GLubyte* text = glGetString(name);
  return text ? reinterpret_cast<const char*>(text) : "";
}

}  // namespace

RenderContext::RenderContext(CalcClient& calcer, GLenum frameBuffer, FrameClock& clock)
    : calcer_(calcer), frameBuffer_(frameBuffer), clock_(clock) {}

bool RenderContext::OpenedGL() {
  if (!gladLoadGL(GetGLProcAddress)) throw EOpenGLError("The OpenGL entry points could not be loaded.");
  SetGLDriverStrings(GLString(GL_VENDOR), GLString(GL_RENDERER), GLString(GL_VERSION));
  return CreateRenderer();
}

bool RenderContext::CreateRenderer() {
  return StartRenderer(std::make_unique<TRenderer>(calcer_, frameBuffer_, clock_));
}

bool RenderContext::StartRenderer(std::unique_ptr<TRenderer> renderer) {
  renderer_ = std::move(renderer);
  return renderer_->Start(state_);
}

void RenderContext::FreeRenderer() {
  if (!renderer_) return;
  renderer_->Stop(state_);
  renderer_.reset();
}

}  // namespace corvane
