#include "forms/preset_editor/preset_editor_captions.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(PresetEditorCaptions, TabsHoldNineParametersEachAndLeaveTheLastSixOut) {
  const struct {
    int number;
    const char* tab;  // nullptr: on no tab
  } cases[] = {{1, "Spec."},   {9, "Spec."},    {10, "Amp."},  {27, "Freq."},   {28, "Phase"},  {45, "Vector"},
               {46, "Color"}, {54, "Color"},   {55, "Look At"}, {63, "Look At"}, {64, nullptr}, {69, nullptr},
               {0, nullptr},  {-9, nullptr},   {70, nullptr}};
  for (const auto& c : cases) {
    const int tab = EditorTabOf(c.number);
    if (!c.tab) {
      EXPECT_EQ(tab, -1) << c.number;
      continue;
    }
    ASSERT_GE(tab, 0) << c.number;
    EXPECT_STREQ(kEditorTabs[static_cast<size_t>(tab)], c.tab) << c.number;
  }
  EXPECT_EQ(std::string(kColorModeNames[52 - kFirstColorWeight]), "Blue : 0 -> 1");
}

}  // namespace
}  // namespace corvane
