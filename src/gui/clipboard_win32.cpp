#include "gui/clipboard_win32.h"

#include <cstring>

#include "os/text_win32.h"

namespace corvane::gui {

namespace {

// Another program holds the clipboard only for a moment: a few tries.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      if (attempt > 0) Sleep(20);
      open_ = OpenClipboard(owner) != FALSE;
    }
  }
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const noexcept { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

std::optional<std::string> ClipboardText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  OpenedClipboard clipboard(owner);
  if (!clipboard) return std::nullopt;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (!text) return std::nullopt;
  // The block may be larger than its text; the text ends at the first zero.
  const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
  const size_t length = wcsnlen(text, capacity);
  std::string narrow = Narrow(std::wstring(text, length));
  GlobalUnlock(data);
  return narrow;
}

bool SetClipboardText(HWND owner, std::string_view text) {
  const std::wstring wide = Widen(text);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (!block) return false;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(target, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  OpenedClipboard clipboard(owner);
  // The clipboard owns the block once SetClipboardData took it.
  if (!clipboard || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);
    return false;
  }
  return true;
}

}  // namespace corvane::gui
