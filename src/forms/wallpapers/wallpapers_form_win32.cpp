#include "forms/wallpapers/wallpapers_form_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "desktop/wallpaper_changer.h"
#include "desktop/wallpaper_style.h"
#include "forms/wallpapers/wallpaper_rows.h"
#include "os/com_win32.h"
#include "os/message_box.h"
#include "os/text_win32.h"
#include "presets/registry_store.h"

namespace corvane {
namespace {

constexpr char kOpenFilter[] =
    "Wallpaper Files (*.bmp;*.gif;*.jpg;*.jpeg;*.dib;*.png)|*.bmp;*.gif;*.jpg;*.jpeg;*.dib;*.png|"
    "Wallpapers List (*.cvw)|*.cvw";
constexpr char kListFilter[] = "Wallpapers List (*.cvw)|*.cvw";
constexpr int kImagesFilter = 1, kListFileFilter = 2;

// The window's own road: its thread needs COM for the desktop object.
void ApplyWallpaperWithCom(uint32_t style, const std::string& fileName) {
  ComInitialization com;
  ApplyWallpaper(style, fileName);
}

void ShowError(const std::string& text) { ShowMessageBox({text, "Wallpapers", BoxIcon::Error}); }

}  // namespace

WallpaperListView::WallpaperListView(const CreateArgs& args)
    : Control(gui::BaseOf(args)), styleWidth_(args.styleWidth), fileWidth_(args.fileWidth) {
  CreateControl(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER,
                WS_EX_CLIENTEDGE, "");
  gui::SetUpTwoColumnReport(Handle(), styleWidth_, fileWidth_, Dpi());
}

void WallpaperListView::ApplyDpi() {
  Control::ApplyDpi();
  SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, 0, gui::ScaleToDpi(styleWidth_, Dpi()));
  SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, 1, gui::ScaleToDpi(fileWidth_, Dpi()));
}

void WallpaperListView::SetCell(int row, int column, const std::string& text) {
  std::wstring wide = Widen(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(Handle(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void WallpaperListView::SetRows(const std::vector<std::string>& rows) {
  int count = int(SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0));
  int wanted = int(rows.size());
  for (; count > wanted; --count) SendMessageW(Handle(), LVM_DELETEITEM, count - 1, 0);
  for (; count < wanted; ++count) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = count;
    item.pszText = const_cast<wchar_t*>(L"");
    if (SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) != count)
      throw gui::EGuiError("A wallpaper row could not be added.");
  }
  for (int row = 0; row < wanted; ++row) {
    WallpaperRow parts = SplitWallpaperRow(rows[size_t(row)]);
    SetCell(row, 0, parts.styleName);
    SetCell(row, 1, parts.fileName);
  }
}

int WallpaperListView::CurrentRow() const {
  return int(SendMessageW(Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
}

void WallpaperListView::SetCurrentRow(int row) {
  LVITEMW clear{};
  clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Handle(), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&clear));
  if (row < 0) return;
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  SendMessageW(Handle(), LVM_ENSUREVISIBLE, row, FALSE);
}

std::vector<int> WallpaperListView::SelectedRows() const {
  std::vector<int> rows;
  int row = -1;
  while ((row = int(SendMessageW(Handle(), LVM_GETNEXTITEM, WPARAM(row), LVNI_SELECTED))) >= 0) rows.push_back(row);
  return rows;
}

bool WallpaperListView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    // The column under the press, by the style column's width.
    int x = short(LOWORD(lParam));
    int styleRight = int(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, 0, 0));
    lastPressColumn_ = x < styleRight ? 0 : 1;
  }
  return Control::OnMessage(message, wParam, lParam, result);
}

bool WallpaperListView::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
  if (message != WM_NOTIFY) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  switch (header->code) {
    case NM_DBLCLK:
      if (onDblClick) onDblClick();
      return true;
    case LVN_KEYDOWN:
      if (onKeyDown) onKeyDown(gui::Key(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey));
      return true;
    default:
      return false;
  }
}

TWallpapersForm::TWallpapersForm()
    : Form({.caption = "Wallpapers", .client = {656, 372}, .border = gui::BorderStyle::SizeableToolWindow,
            .stayOnTop = true, .minSize = {420, 200}}),
      applyWallpaper(ApplyWallpaperWithCom) {
  const std::pair<const char*, std::function<void()>> buttons[] = {
      {"Clear", [this] { SetRows({}); }},
      {"Load", [this] { ShowOpenDialog(kListFileFilter); }},
      {"Save", [this] { SaveClick(); }},
      {"Add", [this] { ShowOpenDialog(kImagesFilter); }},
      {"Delete", [this] { DeleteClick(); }},
      {"Change", [this] { ApplyCurrentRow(); }},
      {"OK", [this] { OkClick(); }},
      {"Cancel", [this] { Close(); }},
  };
  int left = 104;
  for (const auto& [caption, action] : buttons) {
    buttons_.push_back(std::make_unique<gui::Button>(gui::Button::CreateArgs{
        .parent = &bar_, .bounds = {left, 4, 64, 25}, .text = caption,
        .isCancel = std::string(caption) == "Cancel"}));
    buttons_.back()->onClick = action;
    left += 68;
  }
  list_.onDblClick = [this] {
    if (ActionFor(ListGesture::DoubleClick, list_.LastPressColumn(), list_.CurrentRow(), rows_.size()) ==
        RowAction::CycleStyle)
      CycleCurrentStyle();
  };
  list_.onKeyDown = [this](gui::Key key) { ListKeyDown(key); };
  onShow = [this] { FormShow(); };
  onClose = [this] {
    // A list-file start has no other window to return to.
    if (!startFile_.empty())
      if (gui::Application* application = gui::Application::Current()) application->Terminate();
  };
  RowsChanged();
}

gui::Button& TWallpapersForm::ButtonNamed(const std::string& caption) {
  for (auto& button : buttons_)
    if (button->Text() == caption) return *button;
  throw gui::EGuiError("No button \"" + caption + "\".");
}

void TWallpapersForm::FormShow() {
  std::vector<std::string> rows;
  if (!startFile_.empty()) {
    try {
      rows = ReadWallpapersListFile(startFile_);
    } catch (const EWallpapersFileError& error) {
      ShowError(error.what());
    }
  } else {
    rows = LoadWallpaperRows();
  }
  bool on = false;
  ReadWallpapersState(on);
  changer_.SetChecked(on);
  SetRows(std::move(rows));
  if (!rows_.empty()) list_.SetCurrentRow(0);
}

void TWallpapersForm::SetRows(std::vector<std::string> rows) {
  rows_ = std::move(rows);
  list_.SetRows(rows_);
  RowsChanged();
}

void TWallpapersForm::RowsChanged() {
  ChangerBox box = ChangerBoxFor(rows_.size(), changer_.Checked());
  changer_.SetEnabled(box.enabled);
  changer_.SetText(box.caption);
}

void TWallpapersForm::TakeOpenAnswer(const std::vector<std::string>& files, int filter) {
  if (files.empty()) return;
  if (filter == kListFileFilter) {
    std::vector<std::string> loaded;
    try {
      loaded = ReadWallpapersListFile(files.front());
    } catch (const EWallpapersFileError& error) {
      ShowError(error.what());
      return;
    }
    SetRows(std::move(loaded));
    return;
  }
  std::vector<std::string> rows = rows_;
  for (std::string& row : RowsForImages(files)) rows.push_back(std::move(row));
  SetRows(std::move(rows));
}

void TWallpapersForm::ShowOpenDialog(int filter) {
  int chosen = filter;
  auto files = gui::RunOpenDialog({.owner = this, .filter = kOpenFilter, .multiSelect = true,
                                   .fileMustExist = true, .filterIndex = filter, .chosenFilter = &chosen});
  if (files) TakeOpenAnswer(*files, chosen);
}

void TWallpapersForm::SaveRowsTo(const std::string& path) {
  try {
    WriteWallpapersListFile(path, rows_);
  } catch (const EWallpapersFileError& error) {
    ShowError(error.what());
  }
}

void TWallpapersForm::SaveClick() {
  if (auto path = gui::RunSaveDialog(
          {.owner = this, .filter = kListFilter, .defaultExt = "cvw", .overwritePrompt = true}))
    SaveRowsTo(*path);
}

void TWallpapersForm::DeleteClick() {
  std::vector<int> selected = list_.SelectedRows();
  if (selected.empty()) return;
  std::vector<std::string> rows;
  for (size_t row = 0; row < rows_.size(); ++row)
    if (!std::binary_search(selected.begin(), selected.end(), int(row))) rows.push_back(rows_[row]);
  SetRows(std::move(rows));
  if (!rows_.empty()) list_.SetCurrentRow(std::min(selected.front(), int(rows_.size()) - 1));
}

void TWallpapersForm::CycleCurrentStyle() {
  int row = list_.CurrentRow();
  if (row < 0 || size_t(row) >= rows_.size()) return;
  std::vector<std::string> rows = rows_;
  rows[size_t(row)] = CycleRowStyle(rows[size_t(row)]);
  SetRows(std::move(rows));
}

void TWallpapersForm::ApplyCurrentRow() {
  int row = list_.CurrentRow();
  if (row < 0 || size_t(row) >= rows_.size()) return;
  WallpaperChoice choice = ChoiceFromRow(rows_[size_t(row)]);
  try {
    applyWallpaper(choice.style, choice.fileName);
  } catch (const std::exception& error) {
    // The desktop refused: say so and keep the window.
    ShowError(error.what());
  }
}

void TWallpapersForm::ListKeyDown(gui::Key key) {
  ListGesture gesture;
  if (key == gui::keys::kSpace)
    gesture = ListGesture::Space;
  else if (key == gui::keys::kInsert)
    gesture = ListGesture::Insert;
  else
    return;
  switch (ActionFor(gesture, list_.LastPressColumn(), list_.CurrentRow(), rows_.size())) {
    case RowAction::CycleStyle: CycleCurrentStyle(); break;
    case RowAction::Apply: ApplyCurrentRow(); break;
    case RowAction::None: break;
  }
}

void TWallpapersForm::OkClick() {
  if (!StoreWallpaperRows(rows_, ChangerStateToSave(changer_.Checked(), changer_.Text()))) {
    // The rows stay, to try again, to save as a list file or to cancel.
    ShowError("The wallpapers list could not be stored in the registry.");
    return;
  }
  Close();
}

}  // namespace corvane
