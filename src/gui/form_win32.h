#pragma once
// A top-level window laid out at 96 dpi and scaled to its monitor's dpi.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gui/events.h"
#include "gui/form_site.h"
#include "gui/window_win32.h"

namespace corvane::gui {

enum class BorderStyle {
  Sizeable,            // frame, caption, minimise and maximise
  Dialog,              // fixed frame, caption with the system menu only
  ToolWindow,          // small caption, fixed
  SizeableToolWindow,  // small caption, sizeable
  None,                // no frame (full screen)
};

class Form : public Window, public FormSite {
 public:
  struct CreateArgs {
    std::string caption;
    Size client{};  // 96 dpi
    BorderStyle border = BorderStyle::Sizeable;
    int borderWidth = 0;  // an inner frame around the client area, 96 dpi
    bool centred = true;
    bool stayOnTop = false;
    bool keyPreview = false;  // key handlers see keys before the controls
    Size minSize{};           // smallest outer size, 96 dpi; 0 = no limit
    bool showInTaskbar = false;
    bool ownDc = false;  // CS_OWNDC, for OpenGL surfaces
    DWORD extraStyle = 0;
    DWORD extraExStyle = 0;
    Form* owner = nullptr;  // default: the main form (none for the main form itself)
  };
  explicit Form(const CreateArgs& args);
  ~Form() override;

  const char* ClassName() const noexcept override { return "Form"; }
  FormSite* OwnerForm() noexcept override { return this; }
  HWND FormHandle() const noexcept override { return Handle(); }

  void Show();
  void Hide();
  // Shows the form and serves messages until a result is set or the form
  // closes (Cancel); the other forms are disabled meanwhile.
  ModalResult ShowModal();
  void SetModalResult(ModalResult result) override;
  ModalResult GetModalResult() const noexcept { return modalResult_; }
  bool IsModal() const noexcept { return modal_; }
  // As the close box: asks onCloseQuery, then hides (ends the application
  // for the main form, ends the loop for a modal form).
  void Close();
  void BringToFront();

  void SetCaption(std::string_view caption) { SetText(caption); }
  Size ClientSize() const;  // pixels at the current dpi
  void SetClientSize(Size client96);
  BorderStyle Border() const noexcept { return border_; }
  void SetBorderStyle(BorderStyle border);
  int BorderWidth() const noexcept { return borderWidth_; }
  void SetBorderWidth(int width96);
  bool StayOnTop() const noexcept { return stayOnTop_; }
  void SetStayOnTop(bool stayOnTop);
  void Centre();
  bool Maximized() const;
  bool Minimized() const;
  void Maximize();
  void Restore();
  bool KeyPreview() const noexcept { return keyPreview_; }
  int FormDpi() const noexcept override { return dpi_; }
  // Destroys the window and makes a new one with the same state; children
  // and the menu move over. Calls OnHandleDestroying and OnHandleCreated.
  void RecreateHandle();

  // Events. The derived form's constructor is its creation event: when it
  // runs, the handle and every control built before it exist.
  std::function<void()> onShow, onHide, onResize, onPaint, onDblClick, onActivate, onDeactivate;
  std::function<bool()> onCloseQuery;  // false keeps the form open
  std::function<void()> onClose;       // after the form closed
  std::function<void(KeyEvent&)> onKeyDown, onKeyUp;
  std::function<void(CharEvent&)> onKeyPress;
  std::function<void(const MouseEvent&)> onMouseDown, onMouseUp, onMouseMove;
  std::function<void(WheelEvent&)> onMouseWheel;

  // Internal: controls and menus register here.
  void SetHintFor(HWND control, const std::string& hint) override;
  void SetDefaultButton(Button* button) override { defaultButton_ = button; }
  void SetCancelButton(Button* button) override { cancelButton_ = button; }
  Button* DefaultButton() const noexcept override { return defaultButton_; }
  Button* CancelButton() const noexcept override { return cancelButton_; }
  UINT AddCommand(MenuItem& item) override;
  void RemoveCommand(UINT id) noexcept override;
  void AcceleratorsChanged() override { acceleratorsDirty_ = true; }
  void SetMenuHandle(HMENU menu) override;
  void DetachMenu() noexcept override;
  // Runs a change of the menu bar while keeping the client size.
  void KeepingClientSize(const std::function<void()>& change);
  HWND TooltipHandle() const noexcept { return tooltip_.get(); }
  // Key preview, accelerators, Enter, Esc, Tab and the arrows of a radio
  // group; true when consumed.
  bool PreTranslate(MSG& message) override;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  virtual void OnHandleDestroying() {}
  virtual void OnHandleCreated() {}

 private:
  DWORD Style() const;
  DWORD ExStyle() const;
  Size OuterSize(Size client) const;  // pixels, at dpi_
  void ResizeToClient(Size pixels);
  void RestoreHints(Window& window);
  void PaintBorder();
  bool ClickButton(Button* button);
  bool RunCommand(UINT id);  // false when no menu item has the id
  void RebuildAccelerators();
  // The messages of each job: true when handled (result set where it counts).
  bool OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool OnKeyMessage(UINT message, WPARAM wParam);
  bool OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);

  BorderStyle border_;
  int borderWidth_;
  Size client96_;
  Size minSize96_;
  bool centred_, stayOnTop_, keyPreview_, showInTaskbar_, ownDc_;
  DWORD extraStyle_, extraExStyle_;
  HWND ownerHandle_ = nullptr;
  int dpi_ = kDesignDpi;
  bool shownOnce_ = false;
  bool modal_ = false;
  ModalResult modalResult_ = ModalResult::None;
  HMENU menu_ = nullptr;  // owned by MainMenu
  UniqueWindow tooltip_;
  Button* defaultButton_ = nullptr;
  Button* cancelButton_ = nullptr;
  std::map<UINT, MenuItem*> commands_;
  UINT nextCommand_ = 100;
  UniqueAccelerators accelerators_;
  bool acceleratorsDirty_ = false;
};

}  // namespace corvane::gui
