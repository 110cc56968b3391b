#pragma once
#include <string>
#include <vector>

namespace corvane {

// The whole start-up: seed the generator, load OpenGL, dispatch on the first
// argument; any exception becomes one record in the error log.
void RunEntrySequence(const std::vector<std::string>& arguments);

}  // namespace corvane
