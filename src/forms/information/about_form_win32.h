#pragma once
// TAboutForm: the "About" box with the product name, the version texts and
// the contact and web links.

#include <optional>
#include <string>

#include "desktop/open_url.h"
#include "forms/main_window/main_form_win32.h"
#include "gui/gui_win32.h"

namespace corvane {

// The value "\StringFileInfo\040904E4\ProductVersion" of a file's version
// information; nothing when the file has none.
std::optional<std::string> ProductVersionOf(const std::string& path);

// Opens the system's mail composer addressed to `address` through Simple
// MAPI, loaded at run time. Answers false when there is no mail system or
// it refused; nothing is reported either way.
bool ComposeMailTo(const std::string& address);

class TAboutForm final : public gui::Form {
 public:
  explicit TAboutForm(TMainForm& mainForm);
  const char* ClassName() const noexcept override { return "TAboutForm"; }

 private:
  void FormShow();
  void ContactClick();
  void WebClick();

  TMainForm& mainForm_;
  gui::Label productName_;
  gui::Label version_;
  gui::Label fileVersion_;
  gui::Label owner_;
  gui::Label contact_;
  gui::Label web_;
  gui::Label separator_;
  gui::Button ok_;
  BrowseClient browse_;
};

}  // namespace corvane
