#include "forms/tool_windows/background_form_win32.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr const char* kLabels[] = {"R", "G", "B", "A"};
constexpr const char* kHints[] = {"Red", "Green", "Blue", "Alpha"};

}  // namespace

TBackgroundForm::TBackgroundForm(ToolFormHost& host)
    : Form({.caption = "Background", .client = {328, 132}, .border = gui::BorderStyle::ToolWindow,
            .stayOnTop = true, .keyPreview = true}),
      host_(host) {
  auto items = ChannelItems();
  std::vector<std::string> numbers(items.begin(), items.end());
  for (int channel = 0; channel < BackgroundChannels::kCount; ++channel) {
    Row& row = RowAt(channel);
    int top = 8 + channel * 30;
    row.label = std::make_unique<gui::Label>(
        gui::Label::CreateArgs{.parent = this, .bounds = {8, top + 4, 14, 16}, .text = kLabels[channel]});
    row.slider = std::make_unique<gui::TrackBar>(gui::TrackBar::CreateArgs{
        .parent = this, .bounds = {24, top, 200, 26}, .hint = kHints[channel], .tag = channel + 1, .min = 0,
        .max = 255, .pageSize = 16, .tickFrequency = 16});
    row.number = std::make_unique<gui::ComboBox>(gui::ComboBox::CreateArgs{
        .parent = this, .bounds = {228, top + 2, 64, 21}, .tag = channel + 1, .items = numbers,
        .editable = true, .visibleRows = 16, .maxLength = 3, .text = "0"});
    row.upDown = std::make_unique<gui::UpDown>(gui::UpDown::CreateArgs{
        .parent = this, .bounds = {296, top + 1, 17, 23}, .tag = channel + 1, .min = 0, .max = 255});

    row.slider->onChange = [this, channel] { PositionChanged(channel, RowAt(channel).slider->Position()); };
    row.upDown->onClick = [this, channel](bool) { PositionChanged(channel, RowAt(channel).upDown->Position()); };
    row.number->onKeyPress = [](gui::CharEvent& event) {
      if (!ChannelCharAccepted(event.character)) event.character = 0;
    };
    row.number->onSelect = [this, channel] {
      Row& r = RowAt(channel);
      r.ignoreNextChange = true;  // the box's own text still shows the old item
      if (r.number->ItemIndex() >= 0) TextChanged(channel, r.number->Item(r.number->ItemIndex()));
    };
    row.number->onChange = [this, channel] {
      Row& r = RowAt(channel);
      if (std::exchange(r.ignoreNextChange, false)) return;
      TextChanged(channel, r.number->Text());
    };
  }
  onShow = [this] {
    shown_ = true;
    channels_.SetColor(host_.GetBackgroundColor());
    ShowChannels();
  };
  onHide = [this] { shown_ = false; };
  onKeyDown = [this](gui::KeyEvent& event) { host_.HandleHotKey(event.key, event.shift); };
}

TBackgroundForm::~TBackgroundForm() = default;

void TBackgroundForm::ColorChanged(BackgroundColor color) {
  channels_.SetColor(color);
  ShowChannels();
}

void TBackgroundForm::ShowChannels() {
  for (int channel = 0; channel < BackgroundChannels::kCount; ++channel) ShowChannel(channel);
}

void TBackgroundForm::ShowChannel(int channel) {
  Row& row = RowAt(channel);
  int value = channels_.Value(channel);
  row.slider->SetPosition(value);
  row.upDown->SetPosition(value);
  row.number->SetText(std::to_string(value));
}

void TBackgroundForm::PositionChanged(int channel, int position) {
  if (!channels_.TakePosition(channel, position)) return;
  host_.SetBackgroundColor(channels_.Color());
  ShowChannel(channel);
}

void TBackgroundForm::TextChanged(int channel, const std::string& text) {
  switch (channels_.TakeText(channel, text)) {
    case BackgroundChannels::TextOutcome::Unchanged: return;
    case BackgroundChannels::TextOutcome::PutBack: RowAt(channel).number->SetText(std::to_string(channels_.Value(channel))); return;
    case BackgroundChannels::TextOutcome::Taken: break;
  }
  host_.SetBackgroundColor(channels_.Color());
  Row& row = RowAt(channel);
  row.slider->SetPosition(channels_.Value(channel));
  row.upDown->SetPosition(channels_.Value(channel));
}

}  // namespace corvane
