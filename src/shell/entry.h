#pragma once
#include <string>
#include <vector>

#include "render/gl_libraries.h"

namespace corvane {

// The whole start-up: seed the generator, choose the numeric kernels, load
// OpenGL (tests name missing libraries), dispatch on the first argument;
// any exception becomes one record in the error log.
void RunEntrySequence(const std::vector<std::string>& arguments, const OpenGLLibraryNames& libraries = {});

}  // namespace corvane
