#pragma once
// The wallpapers window: edits the changer's list and its on/off state,
// loads and saves list files, applies one entry at once.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_win32.h"

namespace corvane {

// The rows in a two-column list view (style, file), several selectable.
class WallpaperListView final : public gui::Control {
 public:
  struct CreateArgs {
    CORVANE_GUI_CONTROL_FIELDS
    int styleWidth = 80;  // 96 dpi
    int fileWidth = 540;
  };
  explicit WallpaperListView(const CreateArgs& args);
  const char* ClassName() const noexcept override { return "WallpaperListView"; }

  void SetRows(const std::vector<std::string>& rows);
  int CurrentRow() const;  // the focused row, -1 when none
  void SetCurrentRow(int row);
  std::vector<int> SelectedRows() const;
  // The column of the last left press: 0 style, 1 file.
  int LastPressColumn() const noexcept { return lastPressColumn_; }
  void ApplyDpi() override;

  std::function<void()> onDblClick;
  std::function<void(gui::Key key)> onKeyDown;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void SetCell(int row, int column, const std::string& text);
  int styleWidth_, fileWidth_;
  int lastPressColumn_ = 1;
};

class TWallpapersForm final : public gui::Form {
 public:
  TWallpapersForm();
  const char* ClassName() const noexcept override { return "TWallpapersForm"; }

  // A wallpapers-list start: the rows come from this file at every show,
  // and closing the window ends the application.
  void SetStartFile(std::string path) { startFile_ = std::move(path); }
  const std::string& StartFile() const noexcept { return startFile_; }

  const std::vector<std::string>& Rows() const noexcept { return rows_; }
  void SetRows(std::vector<std::string> rows);

  // What the open dialog answered: the files and the 1-based filter chosen
  // (1 images to append, 2 a list file to load).
  void TakeOpenAnswer(const std::vector<std::string>& files, int filter);
  // Writes the rows to a list file; a failure is shown and nothing changes.
  void SaveRowsTo(const std::string& path);

  // Sets the desktop wallpaper; the real one unless a test replaces it.
  std::function<void(uint32_t style, const std::string& fileName)> applyWallpaper;

  gui::CheckBox& ChangerCheck() { return changer_; }
  WallpaperListView& List() { return list_; }
  gui::Button& ButtonNamed(const std::string& caption);

 private:
  void FormShow();
  void RowsChanged();
  void ShowOpenDialog(int filter);
  void SaveClick();
  void DeleteClick();
  void CycleCurrentStyle();
  void ApplyCurrentRow();
  void OkClick();
  void ListKeyDown(gui::Key key);

  std::vector<std::string> rows_;
  std::string startFile_;

  gui::StatusBar status_{{.parent = this, .bounds = {0, 0, 0, 19}, .align = gui::Align::Bottom,
                          .simpleText = "Double click on file name to change the style of displaying wallpapers."}};
  gui::Panel bar_{{.parent = this, .bounds = {0, 0, 0, 33}, .align = gui::Align::Bottom}};
  WallpaperListView list_{{.parent = this, .bounds = {0, 0, 656, 320}, .align = gui::Align::Fill}};
  gui::CheckBox changer_{{.parent = &bar_, .bounds = {8, 8, 92, 17}, .text = "Changer ON"}};
  std::vector<std::unique_ptr<gui::Button>> buttons_;
};

}  // namespace corvane
