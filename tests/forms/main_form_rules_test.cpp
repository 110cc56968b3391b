#include <gtest/gtest.h>

#include "figure/preset_params.h"
#include "forms/main_window/main_form_rules.h"
#include "recording_drawer.h"

namespace corvane {
namespace {

TEST(MainForm, CaptionAndStatusTexts) {
  EXPECT_EQ(MainCaptionText(640, 480, ""), "Corvane | 640 x 480 | ");
  EXPECT_EQ(MainCaptionText(1024, 7, "Paused"), "Corvane | 1024 x 7 | Paused");

  StatusPanels status;
  status.ShowStatus("a", "b", "c");
  EXPECT_EQ(status.Text(0), " b");
  EXPECT_EQ(status.Text(1), " a");
  EXPECT_EQ(status.Text(2), " c");
  status.ShowStatus(std::nullopt, std::nullopt, "");
  EXPECT_EQ(status.Text(0), " b") << "an absent text leaves its panel";
  EXPECT_EQ(status.Text(1), " a");
  EXPECT_EQ(status.Text(2), " ");
}

TEST(MainForm, SetPresetParamReadsTheBackgroundBackOnlyForItsParameters) {
  for (int number : {1, 64, 65, 68, 69}) {
    test::RecordingDrawer drawer;
    drawer.background = {1, 2, 3, 4};
    StatusPanels status;
    std::optional<BackgroundColor> told;
    SetPresetParam(drawer, status, number, 2.5, [&](BackgroundColor c) { told = c; });
    const bool background = number >= 65 && number <= 68;
    std::vector<test::SentCall> expected{test::Param(number, 2.5)};
    if (background) expected.push_back(test::ReadBackground());
    EXPECT_EQ(drawer.calls, expected) << number;
    EXPECT_EQ(told, background ? std::optional(BackgroundColor{1, 2, 3, 4}) : std::nullopt) << number;
    EXPECT_EQ(status.Text(1), " Changed");
    EXPECT_EQ(status.Text(0), " " + ParamName(number));
    EXPECT_NE(ParamName(number), "");
  }
}

}  // namespace
}  // namespace corvane
