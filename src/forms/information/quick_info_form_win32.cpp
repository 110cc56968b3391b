#include "forms/information/quick_info_form_win32.h"

#include "forms/information/info_texts.h"

namespace corvane {

TQuickInfoForm::TQuickInfoForm(TMainForm& mainForm)
    : Form({.caption = "Quick Info",
            .client = {515, 430},
            .border = gui::BorderStyle::Sizeable,
            .centred = true,
            .stayOnTop = true,
            .keyPreview = true}),
      textView_({.parent = this,
              .align = gui::Align::Fill,
              .font = {.face = "Courier New", .height = 16, .bold = true},
              .text = QuickInfoText(),
              .multiLine = true,
              .readOnly = true,
              .verticalScroll = true}) {
  onKeyDown = [&mainForm](gui::KeyEvent& event) { mainForm.HandleHotKey(event.key, event.shift); };
}

}  // namespace corvane
