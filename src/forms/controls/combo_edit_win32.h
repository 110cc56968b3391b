#pragma once
// TComboEdit: nine labelled number rows, each an editable drop-down box with
// its history and an up-down pair. Shared by the forms that edit presets.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "forms/controls/combo_edit_rules.h"
#include "gui/gui_win32.h"

namespace corvane {

class TComboEdit final : public gui::Panel {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    int labelLeft = 0;
    int top = 0;
    int minLabelWidth = 0;
  };
  explicit TComboEdit(const CreateArgs& args);
  ~TComboEdit() override;
  const char* ClassName() const noexcept override { return "TComboEdit"; }

  // Rows are numbered 1..9.
  void SetRowLabel(int row, const std::string& text);
  // Shows the value and takes its step from the text; fires nothing.
  void SetRowValue(int row, double value);
  double GetRowValue(int row) const;
  void ClearHistory();
  // The labels' font; the boxes keep their own.
  void SetLabelFont(const gui::FontSpec& font);
  // The width the rows need, at 96 dpi (the last up-down's right edge).
  int RowsWidth() const noexcept { return width_; }

  gui::ComboBox& Box(int row) { return *rows_.at(size_t(row - 1)).box; }
  gui::UpDown& Arrows(int row) { return *rows_.at(size_t(row - 1)).upDown; }

  // The user changed a row's value: (row, value).
  std::function<void(int, double)> onValueChange;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  struct Row {
    std::unique_ptr<gui::Label> label;
    std::unique_ptr<gui::ComboBox> box;
    std::unique_ptr<gui::UpDown> upDown;
    ComboEditRow state;
    bool selecting = false;
  };
  Row& At(int row) { return rows_.at(size_t(row - 1)); }
  void PutText(Row& row, const std::string& text);
  void TextChanged(int index, const std::string& text);
  void KeepInHistory(Row& row);
  void LayOut();
  int LabelWidth(const std::string& text) const;

  int labelLeft_, top_, minLabelWidth_;
  gui::FontSpec labelFont_{.face = "Tahoma", .height = 13};
  int width_ = 0;
  bool updating_ = false;  // programmatic text changes fire nothing
  std::array<Row, kComboEditRows> rows_;
};

}  // namespace corvane
