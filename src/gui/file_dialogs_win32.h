#pragma once
// The system's common open and save dialogs.

#include <optional>
#include <string>
#include <vector>

#include "gui/window_win32.h"

namespace corvane::gui {

struct FileDialogArgs {
  Window* owner = nullptr;
  std::string title;
  std::string filter;         // "Preset files|*.cvp|All files|*.*"
  std::string defaultExt;     // without the dot: "cvp"
  std::string fileName;       // shown at first
  std::string initialFolder;  // "." is the current folder
  bool multiSelect = false;
  bool fileMustExist = false;
  bool overwritePrompt = false;
  bool hideReadOnly = true;
  int filterIndex = 1;          // 1-based, the filter shown at first
  int* chosenFilter = nullptr;  // receives the filter chosen when the dialog closed
};

// The chosen files in the dialog's order, or nothing when it was cancelled.
std::optional<std::vector<std::string>> RunOpenDialog(const FileDialogArgs& args);
std::optional<std::string> RunSaveDialog(const FileDialogArgs& args);

}  // namespace corvane::gui
