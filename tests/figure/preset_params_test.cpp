#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "figure/preset_params.h"

namespace corvane {
namespace {

TEST(PresetParams, NamesDefaultsAndNumbersOutsideTheTable) {
  std::istringstream names(
      "Points Lines Ticks Stochastity Intensity Density MidDT ShiftDT ScaleDDT MidAX ShiftAX ScaleDAX MidAY ShiftAY "
      "ScaleDAY MidAZ ShiftAZ ScaleDAZ MidFX ShiftFX ScaleDFX MidFY ShiftFY ScaleDFY MidFZ ShiftFZ ScaleDFZ MidPX "
      "ShiftPX ScaleDPX MidPY ShiftPY ScaleDPY MidPZ ShiftPZ ScaleDPZ MidNV ShiftNV ScaleDNV MidTV ShiftTV ScaleDTV "
      "MidBV ShiftBV ScaleDBV ColorR1 ColorR2 ColorR3 ColorG1 ColorG2 ColorG3 ColorB1 ColorB2 ColorB3 EyeX EyeY EyeZ "
      "CenterX CenterY CenterZ UpX UpY UpZ Blending BGColorR BGColorG BGColorB BGColorA MotionBlur");
  // The phases are the nearest doubles to two thirds.
  const double defaults[69] = {33, 333, 14, 0, 1.1, 1.1, 0.251, 0, 0, 400, 0, 0, 400, 0, 0, 400, 0, 0, 1, 0, 0, 1, 0,
                               0, 1, 0, 0, -2.0 / 3.0, 0, 0, 0, 0, 0, 2.0 / 3.0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                               1.1, 0, 0, 0, 0, 1.1, 0, 0, 1800, 1800, 1800, 0, 0, 0, -4082, 8165, -4082, 1, 0, 0, 0,
                               0, 0};
  std::string name;
  for (int n = 1; names >> name; ++n) {
    ASSERT_LE(n, 69);
    EXPECT_EQ(ParamName(n), name) << n;
    EXPECT_EQ(ParamDefault(n), defaults[n - 1]) << n;
    EXPECT_EQ(ParamNumber(name), n);
  }
  EXPECT_EQ(ParamName(69), "MotionBlur");
  for (int n : {0, 70, -1, 1000}) {
    EXPECT_EQ(ParamName(n), "");
    EXPECT_EQ(ParamDefault(n), 0.0);
    EXPECT_EQ(FindParam(n), nullptr);
  }
  EXPECT_EQ(ParamNumber("points"), 0);  // names are exact
  EXPECT_EQ(ParamNumberIgnoringCase("pOINTS"), ParamNumber("Points"));
  EXPECT_EQ(ParamNumberIgnoringCase("Point"), 0);
}

TEST(PresetParams, RendererKeepsTicksAndFiftyFiveOn) {
  std::set<int> renderer, expected{3};
  for (int n = 1; n <= 69; ++n)
    if (IsRendererParam(n)) renderer.insert(n);
  for (int n = 55; n <= 69; ++n) expected.insert(n);
  EXPECT_EQ(renderer, expected);
}

TEST(PresetParams, NewPresetIsAllZeroAndCopiesByValue) {
  TPresetParams preset;
  for (int n = 1; n <= 69; ++n) EXPECT_EQ(preset.GetValue(n), 0.0);
  preset.SetValue(2, 12.5);
  preset.SetValue(0, 1.0);  // ignored: outside the 69 values
  preset.SetValue(70, 1.0);
  TPresetParams copy = preset;
  copy.SetValue(2, 1.0);
  EXPECT_EQ(preset.GetValue(2), 12.5);
  EXPECT_EQ(preset.GetValue(70), 0.0);
  EXPECT_EQ(TPresetParams::Defaults().GetValue(2), 333.0);
}

}  // namespace
}  // namespace corvane
