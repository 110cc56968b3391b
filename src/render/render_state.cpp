#include "render/render_state.h"

#include <algorithm>

namespace corvane {

void ShortString::Assign(std::string_view value) {
  length = static_cast<uint8_t>(std::min<size_t>(value.size(), sizeof text));
  std::copy_n(value.data(), length, text);
}

}  // namespace corvane
