#pragma once
// The system's OpenGL and GLU libraries, loaded once at start-up, and the few
// GLU routines the renderer uses.

#include <glad/gl.h>

namespace corvane {

// The libraries start-up loads; tests name a missing one.
struct OpenGLLibraryNames {
  const char* openGL = "OpenGL32.dll";
  const char* glu = "GLU32.dll";
};

// Loads the two libraries (on Linux they are linked). False when either
// library or a needed routine is missing; the first successful load stays
// in use for the whole run.
bool LoadOpenGLLibraries(const OpenGLLibraryNames& names = {});

// Resolves an OpenGL entry point: core 1.1 from the library itself, anything
// later through the current context. For glad's loader.
GLADapiproc GetGLProcAddress(const char* name);

namespace glu {
const char* ErrorString(GLenum code);
void Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void LookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
            GLdouble upX, GLdouble upY, GLdouble upZ);
}  // namespace glu

}  // namespace corvane
