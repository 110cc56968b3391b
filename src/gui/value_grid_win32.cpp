#include "gui/value_grid_win32.h"

#include <commctrl.h>

#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane::gui {

void SetUpTwoColumnReport(HWND list, int firstWidth, int secondWidth, int dpi) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int column = 0; column < 2; ++column) {
    LVCOLUMNW info{};
    info.mask = LVCF_WIDTH;
    info.cx = ScaleToDpi(column == 0 ? firstWidth : secondWidth, dpi);
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
  }
}

ValueGrid::ValueGrid(const CreateArgs& args)
    : Control(BaseOf(args)), state_(args.keys), keyWidth_(args.keyWidth), valueWidth_(args.valueWidth) {
  CreateControl(WC_LISTVIEWW,
                WS_TABSTOP | WS_CLIPCHILDREN | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER |
                    LVS_NOSORTHEADER,
                WS_EX_CLIENTEDGE, "");
  SetUpTwoColumnReport(Handle(), keyWidth_, valueWidth_, Dpi());
  for (int row = 0; row < state_.RowCount(); ++row) {
    std::wstring key = Widen(state_.Key(row));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = key.data();
    if (SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) != row)
      throw EGuiError("The grid row \"" + state_.Key(row) + "\" could not be added.");
  }
  editor_ = std::make_unique<Edit>(Edit::CreateArgs{.parent = this, .visible = false, .border = false, .wantAllKeys = true});
  editor_->SetFont(base_.font);
  editor_->onKeyPress = [this](CharEvent& event) {
    if (onEditKeyPress) onEditKeyPress(event);
    if (state_.Editing()) state_.SetEditText(EditorText());
  };
  editor_->onChange = [this] {
    state_.SetEditText(EditorText());
    if (state_.Editing() && onEditChange) onEditChange();
  };
  // Leaving the cell in any way ends its edit as Enter does.
  editor_->onExit = [this] { EndEdit(true); };
  editor_->onKeyDown = [this](KeyEvent& event) {
    switch (event.key) {
      case keys::kReturn: EndEdit(true); break;
      case keys::kEscape: EndEdit(false); break;
      case keys::kUp: MoveEditing(GridMove::Up); break;
      case keys::kDown: MoveEditing(GridMove::Down); break;
      case keys::kPrior: MoveEditing(GridMove::PageUp); break;
      case keys::kNext: MoveEditing(GridMove::PageDown); break;
      default: return;
    }
    event.handled = true;
  };
  SetRow(0);
}

ValueGrid::~ValueGrid() {
  // Its focus loss as it goes must not reach handlers being torn down.
  editor_->onExit = nullptr;
  editor_.reset();
}

void ValueGrid::ApplyDpi() {
  Control::ApplyDpi();
  SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, 0, ScaleToDpi(keyWidth_, Dpi()));
  SendMessageW(Handle(), LVM_SETCOLUMNWIDTH, 1, ScaleToDpi(valueWidth_, Dpi()));
  if (editor_) PlaceEditor();
}

void ValueGrid::ShowValue(int row) {
  std::wstring text = Widen(state_.Value(row));
  LVITEMW item{};
  item.iSubItem = 1;
  item.pszText = text.data();
  SendMessageW(Handle(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ValueGrid::SetValue(int row, std::string value) {
  if (state_.SetValue(row, std::move(value))) ShowValue(row);
}

void ValueGrid::SetValues(const std::vector<std::string>& values) {
  for (int row = 0; row < state_.RowCount() && row < int(values.size()); ++row) SetValue(row, values[size_t(row)]);
}

void ValueGrid::SetRow(int row) {
  if (state_.RowCount() == 0) return;
  EndEdit(true);
  state_.MoveTo(row);
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Handle(), LVM_SETITEMSTATE, state_.Row(), reinterpret_cast<LPARAM>(&item));
  SendMessageW(Handle(), LVM_ENSUREVISIBLE, state_.Row(), FALSE);
}

int ValueGrid::PageRows() const { return int(SendMessageW(Handle(), LVM_GETCOUNTPERPAGE, 0, 0)); }

std::string ValueGrid::EditorText() const { return editor_->Text(); }

void ValueGrid::SetEditorText(std::string_view text) {
  editor_->SetText(text);
  int length = GetWindowTextLengthW(editor_->Handle());
  SendMessageW(editor_->Handle(), EM_SETSEL, length, length);
  state_.SetEditText(std::string(text));
}

bool ValueGrid::EditorTextSelected() const {
  DWORD start = 0, end = 0;
  SendMessageW(editor_->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return start == 0 && end > 0 && int(end) == GetWindowTextLengthW(editor_->Handle());
}

void ValueGrid::PlaceEditor() {
  if (!state_.Editing()) return;
  RECT cell{};
  cell.top = 1;  // the value column
  cell.left = LVIR_BOUNDS;
  SendMessageW(Handle(), LVM_GETSUBITEMRECT, state_.Row(), reinterpret_cast<LPARAM>(&cell));
  SetWindowPos(editor_->Handle(), HWND_TOP, cell.left + 2, cell.top + 1, cell.right - cell.left - 3,
               cell.bottom - cell.top - 1, SWP_NOACTIVATE);
}

void ValueGrid::BeginEdit() {
  if (state_.RowCount() == 0 || state_.Editing()) return;
  std::string shown = state_.Value(state_.Row());
  if (onBeginEdit) onBeginEdit(state_.Row(), shown);
  state_.BeginEdit(shown);
  SetEditorText(shown);
  PlaceEditor();
  ShowWindow(editor_->Handle(), SW_SHOW);
  editor_->SetFocus();
}

void ValueGrid::EndEdit(bool commit) {
  if (!state_.Editing()) return;
  if (!commit) {
    state_.CancelEdit();
  } else {
    int row = state_.Row();
    std::string value = EditorText();
    if (onEndEdit) onEndEdit(row, value);
    state_.SetEditText(value);
    std::string before = state_.Value(row);
    state_.CommitEdit();
    ShowValue(row);
    if (before != value && onChange) onChange();
  }
  bool hadFocus = editor_->Focused();
  ShowWindow(editor_->Handle(), SW_HIDE);
  if (hadFocus) SetFocus();
}

void ValueGrid::MoveEditing(GridMove move) {
  EndEdit(true);
  GridState probe = state_;
  probe.Move(move, PageRows());
  SetRow(probe.Row());
  BeginEdit();
}

bool ValueGrid::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_CHAR:
      // Typing on a row opens its editor with that character in place of
      // the old text.
      if (wParam < L' ' || state_.Editing()) return false;
      BeginEdit();
      editor_->SelectAll();
      SendMessageW(editor_->Handle(), WM_CHAR, wParam, lParam);
      return true;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      EndEdit(true);
      return false;
    default:
      return Control::OnMessage(message, wParam, lParam, result);
  }
}

bool ValueGrid::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  switch (header->code) {
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change->uNewState & LVIS_FOCUSED) && change->iItem >= 0 && change->iItem != state_.Row()) {
        EndEdit(true);
        state_.MoveTo(change->iItem);
      }
      return true;
    }
    case NM_CLICK:
    case NM_DBLCLK: {
      const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
      if (activate->iItem >= 0) {
        SetRow(activate->iItem);
        BeginEdit();
      }
      return true;
    }
    case LVN_KEYDOWN: {
      WORD key = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
      if (key == VK_F2 || key == VK_RETURN) BeginEdit();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace corvane::gui
