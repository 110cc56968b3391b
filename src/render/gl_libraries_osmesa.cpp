// glad's header first: it stands in for the system GL header osmesa.h wants.
#include "render/gl_libraries.h"

#include <GL/osmesa.h>

// GLU's prototypes use the system GL header; only its three routines are
// declared here, so that glad's header stays the one GL header in use.
extern "C" {
const GLubyte* gluErrorString(GLenum error);
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ);
}

namespace corvane {

bool LoadOpenGLLibraries(const OpenGLLibraryNames&) { return true; }

GLADapiproc GetGLProcAddress(const char* name) {
  return reinterpret_cast<GLADapiproc>(OSMesaGetProcAddress(name));
}

namespace glu {

const char* ErrorString(GLenum code) {
  const GLubyte* text = gluErrorString(code);
  return text ? reinterpret_cast<const char*>(text) : "";
}

void Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  gluPerspective(fovy, aspect, zNear, zFar);
}

void LookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
            GLdouble upX, GLdouble upY, GLdouble upZ) {
  gluLookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

}  // namespace glu
}  // namespace corvane
