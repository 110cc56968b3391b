#include <gtest/gtest.h>

#include <set>

#include "figure/preset_params.h"

namespace corvane {
namespace {

TEST(PresetParams, AllNamesAndDefaults) {
  const std::vector<std::pair<const char*, double>> expected = {
      {"Points", 33},     {"Lines", 333},      {"Ticks", 14},       {"Stochastity", 0}, {"Intensity", 1.1},
      {"Density", 1.1},   {"MidDT", 0.251},    {"ShiftDT", 0},      {"ScaleDDT", 0},    {"MidAX", 400},
      {"ShiftAX", 0},     {"ScaleDAX", 0},     {"MidAY", 400},      {"ShiftAY", 0},     {"ScaleDAY", 0},
      {"MidAZ", 400},     {"ShiftAZ", 0},      {"ScaleDAZ", 0},     {"MidFX", 1},       {"ShiftFX", 0},
      {"ScaleDFX", 0},    {"MidFY", 1},        {"ShiftFY", 0},      {"ScaleDFY", 0},    {"MidFZ", 1},
      {"ShiftFZ", 0},     {"ScaleDFZ", 0},     {"MidPX", -0.6666666666666666}, {"ShiftPX", 0},
      {"ScaleDPX", 0},    {"MidPY", 0},        {"ShiftPY", 0},      {"ScaleDPY", 0},
      {"MidPZ", 0.6666666666666666},           {"ShiftPZ", 0},      {"ScaleDPZ", 0},    {"MidNV", 0},
      {"ShiftNV", 0},     {"ScaleDNV", 0},     {"MidTV", 0},        {"ShiftTV", 0},     {"ScaleDTV", 0},
      {"MidBV", 0},       {"ShiftBV", 0},      {"ScaleDBV", 0},     {"ColorR1", 0},     {"ColorR2", 1.1},
      {"ColorR3", 0},     {"ColorG1", 0},      {"ColorG2", 0},      {"ColorG3", 0},     {"ColorB1", 1.1},
      {"ColorB2", 0},     {"ColorB3", 0},      {"EyeX", 1800},      {"EyeY", 1800},     {"EyeZ", 1800},
      {"CenterX", 0},     {"CenterY", 0},      {"CenterZ", 0},      {"UpX", -4082},     {"UpY", 8165},
      {"UpZ", -4082},     {"Blending", 1},     {"BGColorR", 0},     {"BGColorG", 0},    {"BGColorB", 0},
      {"BGColorA", 0},    {"MotionBlur", 0}};
  ASSERT_EQ(expected.size(), 69u);
  for (int n = 1; n <= 69; ++n) {
    EXPECT_EQ(ParamName(n), expected[n - 1].first) << n;
    EXPECT_EQ(ParamDefault(n), expected[n - 1].second) << n;
    EXPECT_EQ(ParamNumber(ParamName(n)), n);
  }
}

TEST(PresetParams, OutsideOneToSixtyNineIsEmptyAndZero) {
  for (int n : {0, 70, -1, 1000}) {
    EXPECT_EQ(ParamName(n), "");
    EXPECT_EQ(ParamDefault(n), 0.0);
    EXPECT_EQ(FindParam(n), nullptr);
  }
  EXPECT_EQ(ParamNumber("points"), 0);  // names are exact
}

TEST(PresetParams, PhaseDefaultsAreTheNearestDoublesToTwoThirds) {
  EXPECT_EQ(ParamDefault(28), -2.0 / 3.0);
  EXPECT_EQ(ParamDefault(34), 2.0 / 3.0);
  EXPECT_EQ(ParamDefault(34), 0.66666666666666663);
}

TEST(PresetParams, RoutingEditorTabsAndCaps) {
  std::set<int> renderer;
  for (int n = 1; n <= 69; ++n)
    if (IsRendererParam(n)) renderer.insert(n);
  std::set<int> expected{3};
  for (int n = 55; n <= 69; ++n) expected.insert(n);
  EXPECT_EQ(renderer, expected);

  for (int n = 1; n <= 63; ++n) EXPECT_STREQ(FindParam(n)->editorTab, kEditorTabs[(n - 1) / 9]) << n;
  for (int n = 64; n <= 69; ++n) EXPECT_EQ(FindParam(n)->editorTab, nullptr);
  EXPECT_EQ(FindParam(1)->cap, 100);
  EXPECT_EQ(FindParam(2)->cap, 10000);
  EXPECT_EQ(FindParam(64)->cap, 6);
  EXPECT_EQ(FindParam(69)->cap, 255);
}

TEST(PresetParams, NewPresetIsAllZeroAndCopiesByValue) {
  TPresetParams preset;
  for (int n = 1; n <= 69; ++n) EXPECT_EQ(preset.GetValue(n), 0.0);
  preset.SetValue(2, 12.5);
  preset.SetValue(0, 1.0);   // ignored: outside the 69 values
  preset.SetValue(70, 1.0);
  TPresetParams copy = preset;
  copy.SetValue(2, 1.0);
  EXPECT_EQ(preset.GetValue(2), 12.5);
  EXPECT_EQ(preset.GetValue(70), 0.0);
  EXPECT_EQ(TPresetParams::Defaults().GetValue(2), 333.0);
}

}  // namespace
}  // namespace corvane
