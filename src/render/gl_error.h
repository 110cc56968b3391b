#pragma once
#include "os/exception.h"

namespace corvane {

CORVANE_DECLARE_EXCEPTION(EOpenGLError);

// Raises EOpenGLError listing the pending OpenGL errors (at most seven, in
// the order read, each with GLU's text); returns when there is none.
CORVANE_NOINLINE void CheckGLError();

}  // namespace corvane
