#pragma once
// The text rules of the common open and save dialogs: filters written as
// "Preset files|*.cvp|All files|*.*" and the multi-selection answer.

#include <string>
#include <string_view>
#include <vector>

namespace corvane::gui {

struct FileFilter {
  std::string name, pattern;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};
// Pairs of name and pattern; a trailing name without a pattern is dropped.
std::vector<FileFilter> ParseFileFilter(std::string_view text);

// The dialog's answer to a multiple selection: one full path, or a folder
// followed by file names, each ended by a NUL, the list by a second NUL.
// Returns full paths in the dialog's order.
std::vector<std::string> SplitSelectedFiles(std::string_view answer);

}  // namespace corvane::gui
