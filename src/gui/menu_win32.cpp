#include "gui/menu_win32.h"

#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane::gui {
namespace {

MENUITEMINFOW ItemInfo(const MenuItem& item, std::wstring& text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
  info.wID = item.Id();
  info.hSubMenu = item.SubMenu();
  if (item.IsSeparator()) {
    info.fType = MFT_SEPARATOR;
    info.fMask &= ~MIIM_STRING;
    return info;
  }
  info.fType = MFT_STRING;
  info.fState = (item.Checked() ? MFS_CHECKED : 0) | (item.Enabled() ? MFS_ENABLED : MFS_DISABLED);
  text = Widen(item.ShortCutKey() ? item.Text() + "\t" + ShortCutText(*item.ShortCutKey()) : item.Text());
  info.dwTypeData = text.data();
  return info;
}

}  // namespace

// ---- MenuList ----

MenuList::~MenuList() = default;

MenuItem& MenuList::Add(const ItemArgs& args) {
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(form_, *this, args, false)));
  Rebuild();
  if (items_.back()->ShortCutKey()) form_.AcceleratorsChanged();
  return *items_.back();
}

MenuItem& MenuList::AddSeparator() {
  items_.push_back(std::unique_ptr<MenuItem>(new MenuItem(form_, *this, {}, true)));
  Rebuild();
  return *items_.back();
}

void MenuList::Rebuild() {
  HMENU handle = ListHandle();
  // RemoveMenu leaves the drop-downs alive: each item owns its own.
  while (GetMenuItemCount(handle) > 0) RemoveMenu(handle, 0, MF_BYPOSITION);
  UINT position = 0;
  for (const auto& item : items_) {
    if (!item->Visible()) continue;
    std::wstring text;
    MENUITEMINFOW info = ItemInfo(*item, text);
    if (!InsertMenuItemW(handle, position++, TRUE, &info)) RaiseLastOSErrorAt();
  }
}

void MenuList::Refresh(MenuItem& item) {
  if (!item.Visible()) return;
  std::wstring text;
  MENUITEMINFOW info = ItemInfo(item, text);
  if (!SetMenuItemInfoW(ListHandle(), item.Id(), FALSE, &info)) RaiseLastOSErrorAt();
  if (dynamic_cast<MainMenu*>(this) && form_.FormHandle()) DrawMenuBar(form_.FormHandle());
}

// ---- MenuItem ----

MenuItem::MenuItem(FormSite& form, MenuList& parent, const ItemArgs& args, bool separator)
    : MenuList(form),
      parent_(parent),
      text_(args.text),
      checked_(args.checked),
      enabled_(args.enabled),
      visible_(args.visible),
      separator_(separator),
      id_(form.AddCommand(*this)) {
  if (!args.shortCut.empty()) {
    shortCut_ = ParseShortCut(args.shortCut);
    if (!shortCut_) {
      form.RemoveCommand(id_);
      throw EGuiError("Unknown short-cut \"" + args.shortCut + "\".");
    }
  }
}

MenuItem::~MenuItem() {
  if (subMenu_) {
    HMENU handle = subMenu_.get();
    while (GetMenuItemCount(handle) > 0) RemoveMenu(handle, 0, MF_BYPOSITION);
  }
  form_.RemoveCommand(id_);
}

HMENU MenuItem::ListHandle() {
  if (!subMenu_) {
    HMENU handle = CreatePopupMenu();
    if (!handle) RaiseLastOSErrorAt();
    subMenu_.reset(handle);
    // The parent's entry for this item now opens the drop-down.
    parent_.Refresh(*this);
  }
  return subMenu_.get();
}

void MenuItem::Click() {
  if (enabled_ && onClick) onClick();
}

void MenuItem::SetText(std::string text) {
  text_ = std::move(text);
  parent_.Refresh(*this);
}

void MenuItem::SetChecked(bool checked) {
  checked_ = checked;
  parent_.Refresh(*this);
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  parent_.Refresh(*this);
}

void MenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  parent_.Rebuild();
}

// ---- MainMenu ----

MainMenu::MainMenu(FormSite& form) : MenuList(form) {
  HMENU handle = CreateMenu();
  if (!handle) RaiseLastOSErrorAt();
  handle_.reset(handle);
}

MainMenu::~MainMenu() {
  form_.DetachMenu();
  HMENU handle = handle_.get();
  while (GetMenuItemCount(handle) > 0) RemoveMenu(handle, 0, MF_BYPOSITION);
}

void MainMenu::Rebuild() {
  MenuList::Rebuild();
  bool anyVisible = false;
  for (const auto& item : items_) anyVisible = anyVisible || item->Visible();
  HMENU wanted = anyVisible ? handle_.get() : nullptr;
  if (GetMenu(form_.FormHandle()) != wanted)
    form_.SetMenuHandle(wanted);
  else
    DrawMenuBar(form_.FormHandle());
}

}  // namespace corvane::gui
