#include "gui/input_controls_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane::gui {
namespace {

std::string ListText(HWND window, UINT lengthMessage, UINT textMessage, int index) {
  LRESULT length = SendMessageW(window, lengthMessage, index, 0);
  if (length < 0) return {};
  std::wstring text(size_t(length) + 1, L'\0');
  SendMessageW(window, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(size_t(length));
  return Narrow(text);
}

}  // namespace

// ---- CheckBox ----

CheckBox::CheckBox(const CreateArgs& args) : Control(BaseOf(args)) {
  CreateControl(WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0, args.text);
  SetChecked(args.checked);
}

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
  if (onClick) onClick();
  return true;
}

// ---- RadioGroup ----

class RadioGroup::Item final : public Control {
 public:
  Item(RadioGroup& group, const Rect& bounds, const std::string& text, size_t index)
      : Control(ControlBase{.parent = &group, .bounds = bounds, .font = group.base_.font}),
        group_(group),
        index_(int(index)) {
    CreateControl(WC_BUTTONW, BS_AUTORADIOBUTTON | (index == 0 ? WS_GROUP | WS_TABSTOP : 0), 0, text);
  }
  const char* ClassName() const noexcept override { return "RadioButton"; }

 protected:
  bool OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    if (group_.itemIndex_ == index_) return true;
    group_.itemIndex_ = index_;
    Guard(group_, [&] {
      if (group_.onClick) group_.onClick();
    });
    return true;
  }

 private:
  RadioGroup& group_;
  int index_;
};

RadioGroup::RadioGroup(const CreateArgs& args) : Control(BaseOf(args)) {
  CreateControl(WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, args.caption);
  // The system's radio group layout: a caption line, then even cells.
  const int columns = std::max(1, args.columns);
  const int rows = std::max<int>(1, (int(args.items.size()) + columns - 1) / columns);
  const int left = 8, top = 15, width = std::max(0, args.bounds.width - 2 * left);
  const int height = std::max(0, args.bounds.height - top - 4);
  const int rowHeight = height / rows, columnWidth = width / columns;
  for (size_t i = 0; i < args.items.size(); ++i) {
    int column = int(i) / rows, row = int(i) % rows;
    Rect cell{left + column * columnWidth, top + row * rowHeight + (rowHeight - 17) / 2, columnWidth, 17};
    buttons_.push_back(std::make_unique<Item>(*this, cell, args.items[i], i));
  }
  SetItemIndex(args.itemIndex);
}

RadioGroup::~RadioGroup() { buttons_.clear(); }

HWND RadioGroup::ItemHandle(size_t index) const { return buttons_.at(index)->Handle(); }

void RadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= int(buttons_.size())) throw EGuiError("No radio item " + std::to_string(index) + ".");
  itemIndex_ = index;
  for (size_t i = 0; i < buttons_.size(); ++i)
    SendMessageW(buttons_[i]->Handle(), BM_SETCHECK, int(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool RadioGroup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NCHITTEST) {
    result = HTCLIENT;
    return true;
  }
  return Control::OnMessage(message, wParam, lParam, result);
}

// ---- Edit ----

Edit::Edit(const CreateArgs& args) : Control(BaseOf(args)), wantAllKeys_(args.wantAllKeys) {
  DWORD style = WS_TABSTOP | (args.readOnly ? ES_READONLY : 0);
  if (args.multiLine)
    style |= ES_MULTILINE | ES_AUTOVSCROLL | (args.readOnly ? 0 : ES_WANTRETURN) |
             (args.verticalScroll ? WS_VSCROLL : 0);
  else
    style |= ES_AUTOHSCROLL;
  CreateControl(WC_EDITW, style, args.border ? WS_EX_CLIENTEDGE : 0, args.text);
  if (args.maxLength > 0) SendMessageW(Handle(), EM_SETLIMITTEXT, args.maxLength, 0);
}

void Edit::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  SetText(text);
}

void Edit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

bool Edit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_GETDLGCODE && wantAllKeys_) {
    result = CallDefault(message, wParam, lParam) | DLGC_WANTALLKEYS;
    return true;
  }
  if (message == WM_CHAR && onKeyPress) {
    CharEvent event{wchar_t(wParam)};
    onKeyPress(event);
    if (!event.character) return true;
    result = CallDefault(message, event.character, lParam);
    return true;
  }
  if (message == WM_KEYDOWN && onKeyDown) {
    KeyEvent event{Key(wParam), KeyboardShift()};
    onKeyDown(event);
    return event.handled;
  }
  return Control::OnMessage(message, wParam, lParam, result);
}

bool Edit::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND) return false;
  if (HIWORD(wParam) == EN_CHANGE) {
    if (onChange) onChange();
    return true;
  }
  if (HIWORD(wParam) == EN_KILLFOCUS) {
    if (onExit) onExit();
    return true;
  }
  return false;
}

// ---- ComboBox ----

ComboBox::ComboBox(const CreateArgs& args) : Control(BaseOf(args)), visibleRows_(std::max(1, args.visibleRows)) {
  DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | (args.editable ? CBS_DROPDOWN : CBS_DROPDOWNLIST) |
                (args.sorted ? CBS_SORT : 0);
  CreateControl(WC_COMBOBOXW, style, 0, "");
  if (args.maxLength > 0) SendMessageW(Handle(), CB_LIMITTEXT, args.maxLength, 0);
  SetItems(args.items);
  if (args.editable) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Handle(), &info)) edit_ = info.hwndItem;
    if (edit_) SetWindowSubclass(edit_, EditProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    if (!args.text.empty()) SetText(args.text);
  }
}

ComboBox::~ComboBox() {
  if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, EditProcedure, 1);
}

LRESULT CALLBACK ComboBox::EditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
  auto* combo = reinterpret_cast<ComboBox*>(data);
  if (message == WM_CHAR && combo->onKeyPress) {
    CharEvent event{wchar_t(wParam)};
    if (!Guard(*combo, [&] { combo->onKeyPress(event); }) || !event.character) return 0;
    wParam = event.character;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void ComboBox::ApplyDpi() {
  Control::ApplyDpi();
  // The window's height is the field plus the dropped list.
  Rect r = ScaledBounds();
  int item = int(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
  int field = int(SendMessageW(Handle(), CB_GETITEMHEIGHT, WPARAM(-1), 0)) + 8;
  SetWindowPos(Handle(), nullptr, 0, 0, r.width, field + visibleRows_ * item + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(Handle(), CB_SETMINVISIBLE, visibleRows_, 0);
}

int ComboBox::ItemCount() const { return int(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

std::string ComboBox::Item(int index) const { return ListText(Handle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

std::vector<std::string> ComboBox::Items() const {
  std::vector<std::string> items;
  for (int i = 0, count = ItemCount(); i < count; ++i) items.push_back(Item(i));
  return items;
}

int ComboBox::AddItem(std::string_view text) {
  std::wstring wide = Widen(text);
  LRESULT index = SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  if (index < 0) throw EGuiError("The list is full.");
  return int(index);
}

void ComboBox::Clear() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

void ComboBox::SetItems(const std::vector<std::string>& items) {
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  Clear();
  for (const std::string& item : items) AddItem(item);
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
}

int ComboBox::IndexOf(std::string_view text) const {
  for (int i = 0, count = ItemCount(); i < count; ++i)
    if (Item(i) == text) return i;
  return -1;
}

int ComboBox::ItemIndex() const { return int(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }
void ComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, index, 0); }

bool ComboBox::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND) return false;
  switch (HIWORD(wParam)) {
    case CBN_SELCHANGE:
      if (onSelect) onSelect();
      if (onChange) onChange();
      return true;
    case CBN_EDITCHANGE:
      if (onChange) onChange();
      return true;
    default:
      return false;
  }
}

// ---- TrackBar ----

TrackBar::TrackBar(const CreateArgs& args) : Control(BaseOf(args)) {
  CreateControl(TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | (args.ticksOnTop ? TBS_TOP : TBS_BOTTOM), 0,
                "");
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, args.min);
  SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, args.max);
  SendMessageW(Handle(), TBM_SETPAGESIZE, 0, args.pageSize);
  SendMessageW(Handle(), TBM_SETTICFREQ, std::max(1, args.tickFrequency), 0);
  SetPosition(args.position);
}

int TrackBar::Position() const { return int(SendMessageW(Handle(), TBM_GETPOS, 0, 0)); }

void TrackBar::SetPosition(int position) {
  SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
  last_ = Position();
}

bool TrackBar::OnReflected(UINT message, WPARAM, LPARAM, LRESULT&) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return false;
  int position = Position();
  if (position != last_) {
    last_ = position;
    if (onChange) onChange();
  }
  return true;
}

// ---- UpDown ----

UpDown::UpDown(const CreateArgs& args) : Control(BaseOf(args)) {
  CreateControl(UPDOWN_CLASSW, UDS_ARROWKEYS | (args.wrap ? UDS_WRAP : 0), 0, "");
  SendMessageW(Handle(), UDM_SETRANGE32, args.min, args.max);
  SetPosition(args.position);
}

int UpDown::Position() const { return int(SendMessageW(Handle(), UDM_GETPOS32, 0, 0)); }
void UpDown::SetPosition(int position) { SendMessageW(Handle(), UDM_SETPOS32, 0, position); }

bool UpDown::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == UDN_DELTAPOS) {
    auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
    UpDownEvent event{change->iPos, change->iDelta > 0 ? 1 : -1};
    if (onChanging) onChanging(event);
    lastDelta_ = event.allow ? event.delta : 0;
    result = event.allow ? 0 : 1;
    return true;
  }
  if ((message == WM_VSCROLL || message == WM_HSCROLL) && LOWORD(wParam) == SB_THUMBPOSITION) {
    if (lastDelta_ != 0 && onClick) onClick(lastDelta_ > 0);
    lastDelta_ = 0;
    return true;
  }
  return false;
}

}  // namespace corvane::gui
