#pragma once
// Menus: a form's menu bar and its drop-down items, with short-cut texts
// (which also act as the form's accelerators) and check marks.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/form_site.h"
#include "gui/keys.h"
#include "gui/window_win32.h"

namespace corvane::gui {

class MenuItem;

// The items of a menu bar or of one drop-down.
class MenuList {
 public:
  MenuList(const MenuList&) = delete;
  MenuList& operator=(const MenuList&) = delete;

  struct ItemArgs {
    std::string text;
    std::string shortCut;  // "F2", "Ctrl+F1": shown after the text and acts as an accelerator
    bool checked = false;
    bool enabled = true;
    bool visible = true;
  };
  MenuItem& Add(const ItemArgs& args);
  MenuItem& AddSeparator();
  const std::vector<std::unique_ptr<MenuItem>>& Items() const noexcept { return items_; }

 protected:
  explicit MenuList(FormSite& form) : form_(form) {}
  ~MenuList();
  // The menu handle holding the items; made on first use for drop-downs.
  virtual HMENU ListHandle() = 0;
  // Puts the visible items into the handle again, in order.
  virtual void Rebuild();
  FormSite& form_;
  std::vector<std::unique_ptr<MenuItem>> items_;

 private:
  friend class MenuItem;
  void Refresh(MenuItem& item);
};

class MenuItem final : public MenuList {
 public:
  ~MenuItem();
  std::function<void()> onClick;
  // As the user's choice: onClick when the item is enabled.
  void Click();

  const std::string& Text() const noexcept { return text_; }
  void SetText(std::string text);
  bool Checked() const noexcept { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible);
  const std::optional<ShortCut>& ShortCutKey() const noexcept { return shortCut_; }
  UINT Id() const noexcept { return id_; }
  // The drop-down of this item, nullptr while it has no items.
  HMENU SubMenu() const noexcept { return subMenu_.get(); }
  bool IsSeparator() const noexcept { return separator_; }

 protected:
  HMENU ListHandle() override;

 private:
  friend class MenuList;
  MenuItem(FormSite& form, MenuList& parent, const ItemArgs& args, bool separator);

  MenuList& parent_;
  std::string text_;
  std::optional<ShortCut> shortCut_;
  bool checked_, enabled_, visible_, separator_;
  UINT id_;
  UniqueMenu subMenu_;
};

// A form's menu bar. With no visible item the bar goes away altogether.
class MainMenu final : public MenuList {
 public:
  explicit MainMenu(FormSite& form);
  ~MainMenu();
  HMENU Handle() const noexcept { return handle_.get(); }

 protected:
  HMENU ListHandle() override { return handle_.get(); }
  void Rebuild() override;

 private:
  UniqueMenu handle_;
};

}  // namespace corvane::gui
