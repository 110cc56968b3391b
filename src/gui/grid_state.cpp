#include "gui/grid_state.h"

#include <algorithm>

namespace corvane::gui {

GridState::GridState(std::vector<std::string> keys) : keys_(std::move(keys)), values_(keys_.size()) {}

bool GridState::SetValue(int row, std::string value) {
  std::string& cell = values_.at(size_t(row));
  if (cell == value) return false;
  cell = std::move(value);
  return true;
}

std::optional<int> GridState::MoveTo(int row) {
  std::optional<int> committed = CommitEdit();
  row_ = keys_.empty() ? 0 : std::clamp(row, 0, RowCount() - 1);
  return committed;
}

std::optional<int> GridState::Move(GridMove move, int pageRows) {
  int page = std::max(1, pageRows);
  switch (move) {
    case GridMove::Up: return MoveTo(row_ - 1);
    case GridMove::Down: return MoveTo(row_ + 1);
    case GridMove::PageUp: return MoveTo(row_ - page);
    case GridMove::PageDown: return MoveTo(row_ + page);
    case GridMove::Home: return MoveTo(0);
    case GridMove::End: return MoveTo(RowCount() - 1);
  }
  return std::nullopt;
}

void GridState::BeginEdit(std::string editorText) {
  if (keys_.empty()) return;
  editing_ = true;
  editText_ = std::move(editorText);
}

void GridState::SetEditText(std::string text) {
  if (editing_) editText_ = std::move(text);
}

std::optional<int> GridState::CommitEdit() {
  if (!editing_) return std::nullopt;
  editing_ = false;
  values_.at(size_t(row_)) = editText_;
  return row_;
}

}  // namespace corvane::gui
