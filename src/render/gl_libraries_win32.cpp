#include <windows.h>

#include "render/gl_libraries.h"

namespace corvane {
namespace {

using ErrorStringFn = const GLubyte*(APIENTRY*)(GLenum);
using PerspectiveFn = void(APIENTRY*)(GLdouble, GLdouble, GLdouble, GLdouble);
using LookAtFn = void(APIENTRY*)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
                                 GLdouble);
using WglGetProcAddressFn = PROC(WINAPI*)(LPCSTR);

struct Libraries {
  HMODULE opengl = nullptr;
  HMODULE glu = nullptr;
  WglGetProcAddressFn wglGetProcAddress = nullptr;
  ErrorStringFn errorString = nullptr;
  PerspectiveFn perspective = nullptr;
  LookAtFn lookAt = nullptr;
};

Libraries g_libraries;

template <typename Fn>
Fn Resolve(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

bool LoadOpenGLLibraries() {
  Libraries& lib = g_libraries;
  if (!lib.opengl) lib.opengl = LoadLibraryW(L"OpenGL32.dll");
  if (!lib.glu) lib.glu = LoadLibraryW(L"GLU32.dll");
  if (!lib.opengl || !lib.glu) return false;
  lib.wglGetProcAddress = Resolve<WglGetProcAddressFn>(lib.opengl, "wglGetProcAddress");
  lib.errorString = Resolve<ErrorStringFn>(lib.glu, "gluErrorString");
  lib.perspective = Resolve<PerspectiveFn>(lib.glu, "gluPerspective");
  lib.lookAt = Resolve<LookAtFn>(lib.glu, "gluLookAt");
  return lib.wglGetProcAddress && lib.errorString && lib.perspective && lib.lookAt;
}

GLADapiproc GetGLProcAddress(const char* name) {
  // wglGetProcAddress answers only for extensions and post-1.1 entry points,
  // and some drivers answer small integers instead of null for failures.
  if (g_libraries.wglGetProcAddress) {
    PROC proc = g_libraries.wglGetProcAddress(name);
    auto value = reinterpret_cast<intptr_t>(proc);
    if (value > 3 && value != -1) return reinterpret_cast<GLADapiproc>(proc);
  }
  return g_libraries.opengl ? Resolve<GLADapiproc>(g_libraries.opengl, name) : nullptr;
}

namespace glu {

const char* ErrorString(GLenum code) {
  const GLubyte* text = g_libraries.errorString ? g_libraries.errorString(code) : nullptr;
  return text ? reinterpret_cast<const char*>(text) : "";
}

void Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  g_libraries.perspective(fovy, aspect, zNear, zFar);
}

void LookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
            GLdouble upX, GLdouble upY, GLdouble upZ) {
  g_libraries.lookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

}  // namespace glu
}  // namespace corvane
