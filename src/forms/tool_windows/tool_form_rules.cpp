#include "forms/tool_windows/tool_form_rules.h"

namespace corvane {

BackgroundColor BackgroundChannels::Color() const { return {values_[0], values_[1], values_[2], values_[3]}; }

void BackgroundChannels::SetColor(BackgroundColor color) { values_ = {color.r, color.g, color.b, color.a}; }

bool BackgroundChannels::TakePosition(int channel, int position) {
  if (position < 0 || position > 255 || position == Value(channel)) return false;
  values_.at(static_cast<size_t>(channel)) = static_cast<uint8_t>(position);
  return true;
}

BackgroundChannels::TextOutcome BackgroundChannels::TakeText(int channel, std::string_view text) {
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return TextOutcome::PutBack;
    value = value * 10 + (c - '0');
    if (value > 255) return TextOutcome::PutBack;
  }
  if (value == Value(channel)) return TextOutcome::Unchanged;
  values_.at(static_cast<size_t>(channel)) = static_cast<uint8_t>(value);
  return TextOutcome::Taken;
}

bool ChannelCharAccepted(wchar_t character) { return (character >= L'0' && character <= L'9') || character == 8; }

std::array<std::string, 256> ChannelItems() {
  std::array<std::string, 256> items;
  for (size_t i = 0; i < items.size(); ++i) items[i] = std::to_string(i);
  return items;
}

VSyncBox VSyncBoxFor(uint8_t state) { return {state != 0, state == 1}; }

uint8_t VSyncStateFor(bool checked) { return checked ? 1 : 2; }

}  // namespace corvane
