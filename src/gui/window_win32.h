#pragma once
// The base of every window of the widget layer: it owns one HWND, reaches its
// own state through the window (a window property), and keeps C++ exceptions
// from crossing the system's window-procedure frames.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/geometry.h"
#include "gui/keys.h"
#include "os/exception.h"

namespace corvane::gui {

CORVANE_DECLARE_EXCEPTION(EGuiError);

// RAII owner of one system handle; `Release` frees it.
template <typename Handle, auto Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }
  Handle get() const noexcept { return handle_; }
  Handle release() noexcept { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) noexcept {
    if (handle_) Release(handle_);
    handle_ = handle;
  }
  explicit operator bool() const noexcept { return handle_ != Handle{}; }

 private:
  Handle handle_{};
};
inline void ReleaseWindow(HWND handle) { DestroyWindow(handle); }
inline void ReleaseMenu(HMENU handle) { DestroyMenu(handle); }
inline void ReleaseGdiObject(HGDIOBJ handle) { DeleteObject(handle); }
inline void ReleaseAccelerators(HACCEL handle) { DestroyAcceleratorTable(handle); }
using UniqueWindow = UniqueHandle<HWND, ReleaseWindow>;
using UniqueMenu = UniqueHandle<HMENU, ReleaseMenu>;
using UniqueFont = UniqueHandle<HFONT, ReleaseGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, ReleaseGdiObject>;
using UniqueAccelerators = UniqueHandle<HACCEL, ReleaseAccelerators>;

// A font given at 96 dpi; empty face and zero height take the form's font.
struct FontSpec {
  std::string face;
  int height = 0;  // character height in pixels at 96 dpi
  bool bold = false;
  bool underline = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};
constexpr FontSpec kDefaultFont{"Tahoma", 11};
UniqueFont CreateFontAt(const FontSpec& spec, int dpi);

// The modifier keys held now (Shift, Ctrl, Alt).
Shift KeyboardShift();

// The dpi of a window (GetDpiForWindow where the system has it).
int WindowDpi(HWND window);
// The dpi of a monitor (GetDpiForMonitor where the system has it).
int MonitorDpi(HMONITOR monitor);

// Calls `visit` with each top-level window of this thread. What it raises
// stops the walk and is raised again here, once the system's enumeration
// has returned: no exception unwinds through its frames.
void ForEachThreadWindow(const std::function<void(HWND)>& visit);

class FormSite;
class Control;

// Where a handler's failure goes, called inside its catch block with the
// form's and the sender's class names: the running application sets it.
using FailureReport = void (*)(const char* formClass, const char* senderClass) noexcept;
void SetFailureReport(FailureReport report) noexcept;

class Window {
 public:
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const noexcept { return handle_.get(); }
  // The class name the error log prints as "Handler" or "Raiser".
  virtual const char* ClassName() const noexcept = 0;
  // The form this window belongs to (a form is its own).
  virtual FormSite* OwnerForm() noexcept;
  Window* Parent() const noexcept { return parent_; }
  int Dpi() const;

  std::string Text() const;
  void SetText(std::string_view text);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  virtual void SetVisible(bool visible);
  void SetFocus();
  bool Focused() const;

  // The Window of a handle made by this layer, else nullptr.
  static Window* FromHandle(HWND handle) noexcept;

  // Runs an event handler of `sender`: an exception it raises goes to the
  // application's handler (with the form's and the sender's class names) and
  // never further. Returns false when the handler raised.
  template <typename Action>
  static bool Guard(Window& sender, Action&& action) noexcept {
    try {
      std::forward<Action>(action)();
      return true;
    } catch (...) {
      ReportCurrentException(sender);
      return false;
    }
  }
  static void ReportCurrentException(Window& sender) noexcept;

  // Places the children that dock (Align other than None) and scales the
  // others; runs on every size change and dpi change.
  virtual void LayoutChildren();
  const std::vector<Control*>& Children() const noexcept { return children_; }

 protected:
  Window() = default;
  // Sees each message first. True when handled, with its `result`.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // A notification this control sent to its parent (WM_COMMAND, WM_NOTIFY,
  // WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR*), handed back to the control.
  virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // What the window would do without this layer's handling.
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  // OnMessage of this class and then the default, for overrides that want
  // the usual handling first ("default handling, then ...").
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  // Creates a window of this layer's own class (forms, panels, timers).
  void CreateOwn(DWORD exStyle, DWORD style, std::string_view text, HWND parent, bool ownDc = false);
  // Creates a system control and routes its messages through this object.
  void CreateSystem(const wchar_t* systemClass, DWORD exStyle, DWORD style, std::string_view text, HWND parent);
  // Lets go of the HWND without destroying it (handle recreation).
  HWND ReleaseHandle() noexcept;
  void Bind(HWND handle);

  Window* parent_ = nullptr;
  std::vector<Control*> children_;

 private:
  friend class Control;
  static LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR data);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void Unbind() noexcept;

  UniqueWindow handle_;
  bool subclassed_ = false;
};

// The fields every control's CreateArgs starts with, written once here: the
// list declares them in each CreateArgs, so that designated initialisers read
// {.parent = this, .bounds = {8, 440, 57, 25}, .text = "OK"}, and copies them
// into a control's base. `tabStop` and `controlParent` left empty keep the
// control's own choice (a button is a tab stop, a panel holds its children's
// stops for the Tab walk).
#define CORVANE_GUI_CONTROL_FIELD_LIST(FIELD)                                            \
  FIELD(::corvane::gui::Window*, parent, nullptr)                                        \
  FIELD(::corvane::gui::Rect, bounds, {}) /* in the parent's client area, 96 dpi */     \
  FIELD(::corvane::gui::Align, align, ::corvane::gui::Align::None)                       \
  FIELD(std::string, hint, {})                                                           \
  FIELD(::corvane::gui::FontSpec, font, {})                                              \
  FIELD(bool, visible, true)                                                             \
  FIELD(bool, enabled, true)                                                             \
  FIELD(int, tag, 0)                                                                     \
  FIELD(std::optional<bool>, tabStop, std::nullopt)                                      \
  FIELD(std::optional<bool>, controlParent, std::nullopt)

#define CORVANE_GUI_DECLARE_FIELD(type, name, initial) type name = initial;
#define CORVANE_GUI_CONTROL_FIELDS CORVANE_GUI_CONTROL_FIELD_LIST(CORVANE_GUI_DECLARE_FIELD)

struct ControlBase {
  CORVANE_GUI_CONTROL_FIELDS
};

// The common fields of `from` in a fresh `To`, whose other fields keep their
// defaults: a control's base, or the CreateArgs of a control it derives from.
template <typename To, typename From>
To WithControlFields(const From& from) {
  To to{};
#define CORVANE_GUI_COPY_FIELD(type, name, initial) to.name = from.name;
  CORVANE_GUI_CONTROL_FIELD_LIST(CORVANE_GUI_COPY_FIELD)
#undef CORVANE_GUI_COPY_FIELD
  return to;
}
template <typename Args>
ControlBase BaseOf(const Args& args) {
  return WithControlFields<ControlBase>(args);
}

// A child window laid out at 96 dpi inside a parent window.
class Control : public Window {
 public:
  ~Control() override;
  FormSite* OwnerForm() noexcept override;
  int Tag() const noexcept { return base_.tag; }
  const Rect& Bounds() const noexcept { return base_.bounds; }
  void SetBounds(const Rect& bounds);
  Align GetAlign() const noexcept { return base_.align; }
  const std::string& Hint() const noexcept { return base_.hint; }
  void SetHint(std::string hint);
  void SetFont(const FontSpec& font);
  // Re-applies bounds and font at the window's dpi.
  virtual void ApplyDpi();
  // The thickness a docked control takes, in pixels at the current dpi.
  virtual Rect ScaledBounds() const;

 protected:
  explicit Control(const ControlBase& base);
  // Creates the system control with the common styles, font, hint and place.
  void CreateControl(const wchar_t* systemClass, DWORD style, DWORD exStyle, std::string_view text);
  void CreateOwnControl(DWORD style, DWORD exStyle, std::string_view text);
  void ApplyBaseStyles(DWORD& style, DWORD& exStyle) const;
  void Finish();
  HWND ParentHandle() const;

  ControlBase base_;

 private:
  UniqueFont font_;
};

}  // namespace corvane::gui
