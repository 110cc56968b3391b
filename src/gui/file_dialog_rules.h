#pragma once
// The text rules of the common open and save dialogs: filters written as
// "Preset files|*.cvp|All files|*.*", the multi-selection answer and the
// room it is given.

#include <cstddef>
#include <functional>
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

// The answer's room, in characters, at the first showing and at most.
inline constexpr size_t kFirstAnswerChars = 32 * 1024;
inline constexpr size_t kMostAnswerChars = 16 * 1024 * 1024;
inline constexpr char kTooManyFilesText[] = "Too many files are chosen at once. Choose fewer files.";

// What one showing of the open dialog came to. A selection longer than the
// answer's room carries the room the dialog asked for; a need past 65535
// characters reaches us cut to 16 bits.
struct DialogShowing {
  enum class Outcome { Chosen, Cancelled, TooSmall } outcome;
  size_t neededChars = 0;
};
// Shows the dialog through `show`, given the answer's room, until the
// selection fits: after one too long the room grows to what the dialog
// asked for and at least eightfold (a cut need asks for too little), and
// the user chooses again. TooSmall only when the largest room was too small.
DialogShowing ShowUntilAnswerFits(const std::function<DialogShowing(size_t answerChars)>& show);

}  // namespace corvane::gui
