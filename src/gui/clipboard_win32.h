#pragma once
// The clipboard's text format, as UTF-8.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace corvane::gui {

// The clipboard's text; nothing when it holds no text or stays taken by
// another program.
std::optional<std::string> ClipboardText(HWND owner);
// Replaces the clipboard's contents with `text`; false when the clipboard
// stays taken by another program or the text cannot be stored.
bool SetClipboardText(HWND owner, std::string_view text);

}  // namespace corvane::gui
