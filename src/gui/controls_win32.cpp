#include "gui/controls_win32.h"

#include <commctrl.h>

#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane::gui {
namespace {
constexpr UINT_PTR kTimerId = 1;
}  // namespace

// ---- Label ----

Label::Label(const CreateArgs& args)
    : Control(BaseOf(args)),
      alignment_(args.alignment),
      bevelled_(args.bevelled),
      link_(args.link),
      wordWrap_(args.wordWrap) {
  // SS_NOTIFY: a static control is transparent to the mouse without it.
  CreateControl(WC_STATICW, SS_NOTIFY, 0, args.text);
}

void Label::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  // The parent decides the background, as it does for system statics.
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(Handle()), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Handle())));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  if (bevelled_) DrawEdge(dc, &client, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!Enabled() ? COLOR_GRAYTEXT : link_ ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT));
  UINT format = DT_NOPREFIX | (alignment_ == TextAlign::Centre  ? DT_CENTER
                               : alignment_ == TextAlign::Right ? DT_RIGHT
                                                                : DT_LEFT);
  format |= wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE | (bevelled_ ? DT_VCENTER : 0);
  std::wstring text = Widen(Text());
  DrawTextW(dc, text.c_str(), int(text.size()), &client, format);
  SelectObject(dc, oldFont);
  EndPaint(Handle(), &paint);
}

bool Label::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SETTEXT:
    case WM_ENABLE:
      result = CallDefault(message, wParam, lParam);
      InvalidateRect(Handle(), nullptr, TRUE);
      return true;
    case WM_SETCURSOR:
      if (!link_) return false;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      result = TRUE;
      return true;
    case WM_LBUTTONUP:
      if (onClick) onClick();
      return false;
    default:
      return Control::OnMessage(message, wParam, lParam, result);
  }
}

// ---- Button ----

Button::Button(const CreateArgs& args) : Control(BaseOf(args)), modalResult_(args.modalResult) {
  CreateControl(WC_BUTTONW, WS_TABSTOP | (args.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, args.text);
  if (FormSite* form = OwnerForm()) {
    if (args.isDefault) form->SetDefaultButton(this);
    if (args.isCancel) form->SetCancelButton(this);
  }
}

Button::~Button() {
  if (FormSite* form = OwnerForm()) {
    if (form->DefaultButton() == this) form->SetDefaultButton(nullptr);
    if (form->CancelButton() == this) form->SetCancelButton(nullptr);
  }
}

void Button::Click() {
  if (onClick) onClick();
  if (modalResult_ != ModalResult::None)
    if (FormSite* form = OwnerForm()) form->SetModalResult(modalResult_);
}

bool Button::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
  Click();
  return true;
}

// ---- StatusBar ----

StatusBar::StatusBar(const CreateArgs& args) : Control(BaseOf(args)), panelWidths_(args.panelWidths) {
  base_.align = Align::Bottom;
  CreateControl(STATUSCLASSNAMEW, 0, 0, "");
  if (panelWidths_.empty()) SetPanelText(0, args.simpleText);
}

void StatusBar::ApplyDpi() {
  Control::ApplyDpi();
  // The last panel reaches the right edge (-1). One such panel stands for the
  // simple bar: it is read and written as panel 0 like any other.
  std::vector<int> edges;
  int right = 0;
  for (int width : panelWidths_) edges.push_back(ScaleToDpi(right += width, Dpi()));
  if (edges.empty()) edges.push_back(0);
  edges.back() = -1;
  SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  SendMessageW(Handle(), WM_SIZE, 0, 0);  // the bar fits its height to the new font
}

Rect StatusBar::ScaledBounds() const {
  RECT window{};
  GetWindowRect(Handle(), &window);
  return {0, 0, window.right - window.left, window.bottom - window.top};
}

WPARAM StatusBar::PanelIndex(int index) const {
  if (index < 0 || index >= PanelCount()) throw EGuiError("No status panel " + std::to_string(index) + ".");
  return WPARAM(index);
}

void StatusBar::SetPanelText(int index, std::string_view text) {
  std::wstring wide = Widen(text);
  SendMessageW(Handle(), SB_SETTEXTW, PanelIndex(index), reinterpret_cast<LPARAM>(wide.c_str()));
}

std::string StatusBar::PanelText(int index) const {
  WPARAM panel = PanelIndex(index);
  size_t length = LOWORD(SendMessageW(Handle(), SB_GETTEXTLENGTHW, panel, 0));
  std::wstring text(length + 1, L'\0');
  SendMessageW(Handle(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return Narrow(text);
}

// ---- Timer ----

Timer::Timer(const CreateArgs& args) : owner_(args.owner), intervalMs_(args.intervalMs), enabled_(args.enabled) {
  CreateOwn(0, 0, "", HWND_MESSAGE);
  Arm();
}

Timer::~Timer() {
  if (Handle()) KillTimer(Handle(), kTimerId);
}

void Timer::Arm() {
  KillTimer(Handle(), kTimerId);
  if (enabled_ && intervalMs_ > 0 && !SetTimer(Handle(), kTimerId, intervalMs_, nullptr)) RaiseLastOSErrorAt();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Arm();
}

void Timer::SetInterval(unsigned intervalMs) {
  intervalMs_ = intervalMs;
  Arm();
}

bool Timer::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_TIMER || wParam != kTimerId) return false;
  if (enabled_ && onTimer) onTimer();
  return true;
}

}  // namespace corvane::gui
