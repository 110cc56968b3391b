#pragma once
// What a control, a menu and the message loop ask of the form they belong
// to. Form implements it; they know the form only through it, so the form
// may build on them without a circle between the files.

#include <windows.h>

#include <string>

namespace corvane::gui {

class Button;
class MenuItem;

enum class ModalResult { None, Ok, Cancel, Yes, No };

class FormSite {
 public:
  virtual const char* ClassName() const noexcept = 0;  // names the form in a failure report
  virtual HWND FormHandle() const noexcept = 0;
  virtual int FormDpi() const noexcept = 0;
  virtual void SetModalResult(ModalResult result) = 0;

  virtual void SetHintFor(HWND control, const std::string& hint) = 0;
  virtual void SetDefaultButton(Button* button) = 0;
  virtual void SetCancelButton(Button* button) = 0;
  virtual Button* DefaultButton() const noexcept = 0;
  virtual Button* CancelButton() const noexcept = 0;

  virtual UINT AddCommand(MenuItem& item) = 0;
  virtual void RemoveCommand(UINT id) noexcept = 0;
  virtual void AcceleratorsChanged() = 0;
  virtual void SetMenuHandle(HMENU menu) = 0;
  virtual void DetachMenu() noexcept = 0;

  // Key preview, accelerators and dialog keys; true when consumed.
  virtual bool PreTranslate(MSG& message) = 0;

 protected:
  ~FormSite() = default;
};

}  // namespace corvane::gui
