#pragma once
// The rules of the background colour and enhanced settings windows.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "drawer/drawer.h"

namespace corvane {

// The four channels R, G, B, A as the background window keeps them.
class BackgroundChannels {
 public:
  static constexpr int kCount = 4;
  BackgroundColor Color() const;
  void SetColor(BackgroundColor color);
  uint8_t Value(int channel) const { return values_.at(static_cast<size_t>(channel)); }

  // A slider or up-down moved: true when the channel took a new value
  // (the caller sends the colour); positions outside 0..255 are refused.
  bool TakePosition(int channel, int position);

  // The number list's text changed. Empty text is 0; anything but digits,
  // or a number above 255, puts the stored value back.
  enum class TextOutcome { Unchanged, PutBack, Taken };
  TextOutcome TakeText(int channel, std::string_view text);

 private:
  std::array<uint8_t, kCount> values_{};
};

// Typing into a number list: digits and Backspace only.
bool ChannelCharAccepted(wchar_t character);
// "0".."255", the number lists' items.
std::array<std::string, 256> ChannelItems();

inline constexpr const char* kSyncModeNames[] = {"None", "Flush", "Finish"};
inline constexpr const char* kPriorityNames[] = {"Idle",   "Lowest",  "Lower",       "Normal",
                                                 "Higher", "Highest", "TimeCritical"};

// The "VSync" box from the drawing thread's answer (0 no control, 1 on, 2 off).
struct VSyncBox {
  bool enabled = false, checked = false;
  friend bool operator==(const VSyncBox&, const VSyncBox&) = default;
};
VSyncBox VSyncBoxFor(uint8_t state);
// What a click sends: 1 when the box is now checked, 2 when not.
uint8_t VSyncStateFor(bool checked);

}  // namespace corvane
