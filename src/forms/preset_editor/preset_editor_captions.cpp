#include "forms/preset_editor/preset_editor_captions.h"

namespace corvane {

int EditorTabOf(int number) {
  const int last = static_cast<int>(kEditorTabs.size()) * kRowsPerEditorTab;
  return number >= 1 && number <= last ? (number - 1) / kRowsPerEditorTab : -1;
}

}  // namespace corvane
