#include "forms/information/info_texts.h"

namespace corvane {

std::string QuickInfoText() {
  std::string text;
  for (size_t i = 0; i < std::size(kQuickInfoLines); ++i) {
    if (i > 0) text += "\r\n";
    text += kQuickInfoLines[i];
  }
  return text;
}

}  // namespace corvane
