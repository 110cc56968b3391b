#pragma once
// A two-column grid of fixed keys and editable values, shown by the
// system's list view with an edit box laid over the value being edited.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/grid_state.h"
#include "gui/input_controls_win32.h"

namespace corvane::gui {

// Gives a report-mode list view grid lines, whole-row selection and two
// columns of these widths (at 96 dpi).
void SetUpTwoColumnReport(HWND list, int firstWidth, int secondWidth, int dpi);

class ValueGrid final : public Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    std::vector<std::string> keys;
    int keyWidth = 80, valueWidth = 142;  // 96 dpi
  };
  explicit ValueGrid(const CreateArgs& args);
  ~ValueGrid() override;
  const char* ClassName() const noexcept override { return "ValueGrid"; }

  int RowCount() const noexcept { return state_.RowCount(); }
  const std::string& Value(int row) const { return state_.Value(row); }
  const std::vector<std::string>& Values() const noexcept { return state_.Values(); }
  // Stores values without firing onChange; the caller knows what it set.
  void SetValue(int row, std::string value);
  void SetValues(const std::vector<std::string>& values);
  int Row() const noexcept { return state_.Row(); }
  void SetRow(int row);

  bool Editing() const noexcept { return state_.Editing(); }
  void BeginEdit();
  void EndEdit(bool commit);
  std::string EditorText() const;
  void SetEditorText(std::string_view text);  // the caret goes to the end
  // The editor's whole text is selected, so that a typed key replaces it.
  bool EditorTextSelected() const;
  void ApplyDpi() override;

  // The editor opens on a row: may change the text it shows.
  std::function<void(int row, std::string& editorText)> onBeginEdit;
  // A character typed into the editor; 0 drops it. Typing on a row opens
  // the editor with its text selected, so the first key replaces it.
  std::function<void(CharEvent&)> onEditKeyPress;
  // The editor's text changed, before the edit ends.
  std::function<void()> onEditChange;
  // The editor closes with a commit: may change the value stored.
  std::function<void(int row, std::string& value)> onEndEdit;
  // A value changed through the user's editing.
  std::function<void()> onChange;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ShowValue(int row);
  void PlaceEditor();
  void MoveEditing(GridMove move);
  int PageRows() const;

  GridState state_;
  int keyWidth_, valueWidth_;
  std::unique_ptr<Edit> editor_;
};

}  // namespace corvane::gui
