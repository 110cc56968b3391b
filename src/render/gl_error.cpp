#include "render/gl_error.h"

#include "os/hex.h"
#include "render/gl_libraries.h"

namespace corvane {

void CheckGLError() {
  GLenum code = glGetError();
  if (code == GL_NO_ERROR) return;
  const void* caller = CORVANE_RETURN_ADDRESS();
  std::string message = "Address: $" + HexAddress(caller);
  for (int read = 0; read < 7 && code != GL_NO_ERROR; ++read) {
    message += ", ErrorCode: " + std::to_string(code) + ", Message: " + glu::ErrorString(code);
    if (read < 6) code = glGetError();
  }
  throw EOpenGLError(message, caller);
}

}  // namespace corvane
