#pragma once
// The state of a two-column grid of keys and editable values: the current
// row, moving it, and the edit of one value cell at a time. The window that
// shows it keeps no state of its own, so the rules are tested natively.

#include <optional>
#include <string>
#include <vector>

namespace corvane::gui {

enum class GridMove { Up, Down, PageUp, PageDown, Home, End };

class GridState {
 public:
  explicit GridState(std::vector<std::string> keys);

  int RowCount() const noexcept { return int(keys_.size()); }
  const std::string& Key(int row) const { return keys_.at(size_t(row)); }
  const std::string& Value(int row) const { return values_.at(size_t(row)); }
  // False when the value was already that. A row being edited keeps its
  // editor text; the edit then commits over the new value.
  bool SetValue(int row, std::string value);
  const std::vector<std::string>& Values() const noexcept { return values_; }

  int Row() const noexcept { return row_; }
  // Moves the current row, clamped to the grid; a running edit is
  // committed first. Returns the row left when an edit was committed there.
  std::optional<int> MoveTo(int row);
  std::optional<int> Move(GridMove move, int pageRows);

  bool Editing() const noexcept { return editing_; }
  // Starts editing the current row with the text shown in the editor.
  void BeginEdit(std::string editorText);
  const std::string& EditText() const noexcept { return editText_; }
  void SetEditText(std::string text);
  // Stores the editor's text as the row's value and ends the edit; the
  // row, or nothing when no edit was running.
  std::optional<int> CommitEdit();
  void CancelEdit() noexcept { editing_ = false; }

 private:
  std::vector<std::string> keys_, values_;
  int row_ = 0;
  bool editing_ = false;
  std::string editText_;
};

}  // namespace corvane::gui
