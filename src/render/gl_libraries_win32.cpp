#include "render/gl_libraries_win32.h"

#include <mutex>

#include "os/system_library_win32.h"
#include "os/text_win32.h"
#include "render/gl_libraries.h"

namespace corvane {
namespace {

using ErrorStringFn = const GLubyte*(APIENTRY*)(GLenum);
using PerspectiveFn = void(APIENTRY*)(GLdouble, GLdouble, GLdouble, GLdouble);
using LookAtFn = void(APIENTRY*)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
                                 GLdouble);
using WglGetProcAddressFn = PROC(WINAPI*)(LPCSTR);
using WglCreateContextFn = HGLRC(WINAPI*)(HDC);
using WglDeleteContextFn = BOOL(WINAPI*)(HGLRC);
using WglMakeCurrentFn = BOOL(WINAPI*)(HDC, HGLRC);
using WglGetCurrentContextFn = HGLRC(WINAPI*)();
using WglGetCurrentDCFn = HDC(WINAPI*)();

struct Libraries {
  HMODULE opengl = nullptr;
  HMODULE glu = nullptr;
  WglGetProcAddressFn wglGetProcAddress = nullptr;
  WglCreateContextFn wglCreateContext = nullptr;
  WglDeleteContextFn wglDeleteContext = nullptr;
  WglMakeCurrentFn wglMakeCurrent = nullptr;
  WglGetCurrentContextFn wglGetCurrentContext = nullptr;
  WglGetCurrentDCFn wglGetCurrentDC = nullptr;
  ErrorStringFn errorString = nullptr;
  PerspectiveFn perspective = nullptr;
  LookAtFn lookAt = nullptr;
};

// Set once, by the first load that succeeds, and only read after it.
std::mutex g_loadLock;
Libraries g_libraries;

template <typename Fn>
void Resolve(HMODULE library, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool Load(const OpenGLLibraryNames& names, Libraries& lib) {
  lib.opengl = LoadSystemLibrary(Widen(names.openGL).c_str());
  lib.glu = LoadSystemLibrary(Widen(names.glu).c_str());
  if (!lib.opengl || !lib.glu) return false;
  Resolve(lib.opengl, "wglGetProcAddress", lib.wglGetProcAddress);
  Resolve(lib.opengl, "wglCreateContext", lib.wglCreateContext);
  Resolve(lib.opengl, "wglDeleteContext", lib.wglDeleteContext);
  Resolve(lib.opengl, "wglMakeCurrent", lib.wglMakeCurrent);
  Resolve(lib.opengl, "wglGetCurrentContext", lib.wglGetCurrentContext);
  Resolve(lib.opengl, "wglGetCurrentDC", lib.wglGetCurrentDC);
  Resolve(lib.glu, "gluErrorString", lib.errorString);
  Resolve(lib.glu, "gluPerspective", lib.perspective);
  Resolve(lib.glu, "gluLookAt", lib.lookAt);
  return lib.wglGetProcAddress && lib.wglCreateContext && lib.wglDeleteContext && lib.wglMakeCurrent &&
         lib.wglGetCurrentContext && lib.wglGetCurrentDC && lib.errorString &&
         lib.perspective && lib.lookAt;
}

// The routine when the library is loaded; else `failure` with the error a
// missing library gives.
template <typename Result, typename Fn, typename... Args>
Result CallLoaded(Fn fn, Result failure, Args... args) {
  if (fn) return fn(args...);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return failure;
}

}  // namespace

bool LoadOpenGLLibraries(const OpenGLLibraryNames& names) {
  Libraries lib;
  const bool loaded = Load(names, lib);
  std::lock_guard<std::mutex> lock(g_loadLock);
  if (loaded && !g_libraries.opengl) {
    g_libraries = lib;
    return true;
  }
  // Loaded before, or not at all: give back what this call took.
  if (lib.opengl) FreeLibrary(lib.opengl);
  if (lib.glu) FreeLibrary(lib.glu);
  return loaded;
}

namespace wgl {

HGLRC CreateContext(HDC dc) { return CallLoaded(g_libraries.wglCreateContext, HGLRC{}, dc); }
BOOL DeleteContext(HGLRC rc) { return CallLoaded(g_libraries.wglDeleteContext, FALSE, rc); }
BOOL MakeCurrent(HDC dc, HGLRC rc) { return CallLoaded(g_libraries.wglMakeCurrent, FALSE, dc, rc); }
HGLRC GetCurrentContext() { return CallLoaded(g_libraries.wglGetCurrentContext, HGLRC{}); }
HDC GetCurrentDC() { return CallLoaded(g_libraries.wglGetCurrentDC, HDC{}); }

}  // namespace wgl

GLADapiproc GetGLProcAddress(const char* name) {
  // wglGetProcAddress answers only for extensions and post-1.1 entry points,
  // and some drivers answer small integers instead of null for failures.
  if (g_libraries.wglGetProcAddress) {
    PROC proc = g_libraries.wglGetProcAddress(name);
    auto value = reinterpret_cast<intptr_t>(proc);
    if (value > 3 && value != -1) return reinterpret_cast<GLADapiproc>(proc);
  }
  GLADapiproc proc = nullptr;
  if (g_libraries.opengl) Resolve(g_libraries.opengl, name, proc);
  return proc;
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
