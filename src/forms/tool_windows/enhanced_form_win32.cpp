#include "forms/tool_windows/enhanced_form_win32.h"

#include <iterator>
#include <string>
#include <vector>

#include "forms/configuration/monitors_choice.h"
#include "forms/tool_windows/tool_form_rules.h"

namespace corvane {

TEnhancedForm::TEnhancedForm(ToolFormHost& host)
    : Form({.caption = "Enhanced settings", .client = {232, 196}, .border = gui::BorderStyle::ToolWindow,
            .stayOnTop = true, .keyPreview = true}),
      host_(host) {
  std::vector<std::string> levels(std::begin(kPriorityNames), std::end(kPriorityNames));
  draw_.SetItems(levels);
  calc_.SetItems(levels);
  monitors_.SetItems(MonitorsChoiceItems());

  sync_.onSelect = [this] {
    if (sync_.ItemIndex() >= 0) host_.SetSyncMode(uint8_t(sync_.ItemIndex()));
  };
  vsync_.onClick = [this] {
    host_.SetVSync(VSyncStateFor(vsync_.Checked()));
    vsync_.SetEnabled(VSyncBoxFor(host_.GetVSync()).enabled);
  };
  draw_.onSelect = [this] {
    if (draw_.ItemIndex() >= 0) host_.SetDrawerPriority(ThreadPriority(draw_.ItemIndex()));
  };
  calc_.onSelect = [this] {
    if (calc_.ItemIndex() >= 0) host_.SetCalcPriority(ThreadPriority(calc_.ItemIndex()));
  };
  monitors_.onSelect = [this] {
    if (monitors_.ItemIndex() >= 0) WriteMonitorsMode(MonitorsMode(monitors_.ItemIndex()));
  };
  onShow = [this] { FormShow(); };
  onHide = [this] { shown_ = false; };
  onKeyDown = [this](gui::KeyEvent& event) { host_.HandleHotKey(event.key, event.shift); };
}

void TEnhancedForm::FormShow() {
  shown_ = true;
  sync_.SetItemIndex(host_.GetSyncMode());
  draw_.SetItemIndex(int(host_.DrawerPriority()));
  calc_.SetItemIndex(int(host_.CalcPriority()));
  monitors_.SetItemIndex(StoredMonitorsChoice());
  ShowVSync();
}

void TEnhancedForm::ShowVSync() {
  VSyncBox box = VSyncBoxFor(host_.GetVSync());
  vsync_.SetEnabled(box.enabled);
  vsync_.SetChecked(box.checked);
}

}  // namespace corvane
