#include "os/hex.h"

#include <cstdio>

namespace corvane {

std::string Hex8(uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%08llX", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace corvane
