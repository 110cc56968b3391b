#pragma once
// Keys, modifier sets and short-cut texts ("Ctrl+F1", "F9", "Shift+Ins").
// Key codes are the system's virtual-key numbers, spelled here so that the
// rules that read them stay portable.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::gui {

using Key = uint16_t;

namespace keys {
constexpr Key kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11, kMenu = 0x12,
              kPause = 0x13, kEscape = 0x1B, kSpace = 0x20, kPrior = 0x21, kNext = 0x22, kEnd = 0x23,
              kHome = 0x24, kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D,
              kDelete = 0x2E, kF1 = 0x70, kF12 = 0x7B, kF24 = 0x87;
// '0'..'9' and 'A'..'Z' are their own codes; F1..F24 are consecutive.
constexpr Key F(int n) { return Key(kF1 + n - 1); }
}  // namespace keys

// Modifier keys and mouse buttons held at an input event.
enum class Shift : uint8_t { None = 0, Shift = 1, Ctrl = 2, Alt = 4, Left = 8, Right = 16, Middle = 32, Double = 64 };
constexpr Shift operator|(Shift a, Shift b) { return Shift(uint8_t(a) | uint8_t(b)); }
constexpr Shift operator&(Shift a, Shift b) { return Shift(uint8_t(a) & uint8_t(b)); }
constexpr bool Has(Shift set, Shift flags) { return (set & flags) == flags; }
// Only the keyboard part of a set (Shift, Ctrl, Alt).
constexpr Shift KeyModifiers(Shift set) { return set & (Shift::Shift | Shift::Ctrl | Shift::Alt); }

struct ShortCut {
  Key key = 0;
  Shift modifiers = Shift::None;  // Shift, Ctrl and Alt only
  friend bool operator==(const ShortCut&, const ShortCut&) = default;
};

// "Ctrl+Shift+F2", "Alt+X", "Del": modifiers in any order, names case-blind.
// Empty text and unknown names give nothing.
std::optional<ShortCut> ParseShortCut(std::string_view text);
// The menu's spelling: modifiers as Shift+, Ctrl+, Alt+, then the key name.
std::string ShortCutText(const ShortCut& shortCut);
// "F1", "Pause", "A"...; empty for keys without a name.
std::string KeyName(Key key);

}  // namespace corvane::gui
