#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/controls/combo_edit_rules.h"
#include "presets/preset_text.h"

namespace corvane {
namespace {

TEST(ComboEditRules, KeyFilterPassesDigitsBackspaceAndOneSignAndPoint) {
  struct Case {
    wchar_t key;
    const char* text;
    bool passes;
  };
  const Case cases[] = {
      {L'7', "12", true},   {L'\b', "-1.5", true}, {L'-', "", true},    {L'-', "3-", false},
      {L'.', "3", true},    {L'.', "3.1", false},  {L'a', "", false},   {L'e', "1", false},
      {L'+', "", false},    {L' ', "1", false},    {L',', "1", false},  {L'0', "-.", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComboEditKeyPasses(c.key, c.text), c.passes) << int(c.key) << " into \"" << c.text << '"';
}

TEST(ComboEditRules, RowStepFollowsTheDecimalsAfterTheFirstPoint) {
  EXPECT_DOUBLE_EQ(RowStepFromText("0.05"), 0.01);
  EXPECT_DOUBLE_EQ(RowStepFromText("12"), 1.0);
  EXPECT_DOUBLE_EQ(RowStepFromText("3."), 1.0);
  EXPECT_DOUBLE_EQ(RowStepFromText("-1.125"), 0.001);
  EXPECT_DOUBLE_EQ(RowStepFromText(""), 1.0);
}

TEST(ComboEditRules, TextChangesFireOnlyNewValuesAndResetWhatDoesNotParse) {
  ComboEditRow row;
  // "-" in an empty row stands for 0, which the row already holds.
  ComboEditTextChange change = ComboEditTextChanged(row, "-");
  EXPECT_FALSE(change.changedValue);
  EXPECT_FALSE(change.resetText);

  change = ComboEditTextChanged(row, "0.05");
  ASSERT_TRUE(change.changedValue);
  EXPECT_DOUBLE_EQ(*change.changedValue, 0.05);
  EXPECT_DOUBLE_EQ(row.rowStep, 0.01);

  // Pasted text that is no number goes back to the stored value.
  change = ComboEditTextChanged(row, "abc");
  EXPECT_EQ(change.resetText, "0.05");
  EXPECT_FALSE(change.changedValue);
  EXPECT_DOUBLE_EQ(row.value, 0.05);
  EXPECT_DOUBLE_EQ(row.rowStep, 0.01);

  // An equal value in another spelling fires nothing and keeps the step.
  change = ComboEditTextChanged(row, "0.050");
  EXPECT_FALSE(change.changedValue);
  EXPECT_DOUBLE_EQ(row.rowStep, 0.01);

  change = ComboEditTextChanged(row, "");
  ASSERT_TRUE(change.changedValue);
  EXPECT_EQ(*change.changedValue, 0.0);
  EXPECT_DOUBLE_EQ(row.rowStep, 1.0);

  // Sixteen digits pass the box but not the number format: the row keeps a
  // value it can put back when "abc" is pasted next.
  EXPECT_EQ(ComboEditTextChanged(row, "1000000000000000").resetText, "0");
  EXPECT_EQ(ComboEditTextChanged(row, "abc").resetText, "0");
}

TEST(ComboEditRules, UpDownClicksMoveByTheRowStepAndKeepIt) {
  ComboEditRow row;
  ComboEditTextChanged(row, "0.05");
  EXPECT_EQ(ComboEditStepClick(row, "0.05", true), "0.06");
  EXPECT_DOUBLE_EQ(row.rowStep, 0.01);
  EXPECT_EQ(ComboEditStepClick(row, "0.06", false), "0.05");
  EXPECT_EQ(ComboEditStepClick(row, "0.05", false), "0.04");

  // The box's own text counts, also when it was typed without an event.
  ComboEditRow whole;
  EXPECT_EQ(ComboEditStepClick(whole, "-", true), "1");
  EXPECT_EQ(ComboEditStepClick(whole, "", false), "-1");
  // Text that is no number never raises: the stored value is stepped.
  EXPECT_EQ(ComboEditStepClick(whole, "x", true), "0");

  // A step past the number format raises and leaves the row as it was.
  ComboEditRow huge;
  ASSERT_TRUE(ComboEditTextChanged(huge, "999999999999999").changedValue);
  EXPECT_THROW(ComboEditStepClick(huge, "999999999999999", true), EConvertError);
  EXPECT_EQ(huge.value, 999999999999999.0);
}

TEST(ComboEditRules, HistoryKeepsOneCopyOfEachTextInOrder) {
  std::vector<std::string> history;
  EXPECT_TRUE(AddToHistory(history, "1.5"));
  EXPECT_TRUE(AddToHistory(history, "2"));
  EXPECT_FALSE(AddToHistory(history, "1.5"));
  EXPECT_TRUE(AddToHistory(history, "1.50"));
  EXPECT_EQ(history, (std::vector<std::string>{"1.5", "2", "1.50"}));
}

TEST(ComboEditRules, RowsComeInThreeGroupsOfThreeBesideTheWidestLabel) {
  const std::vector<int> labels = {40, 130, 60, 10, 10, 10, 10, 10, 10};
  ComboEditLayout layout = LayOutComboEdit(4, 6, 110, labels, 21, 17);
  const int expectedTops[] = {6, 29, 52, 82, 105, 128, 158, 181, 204};
  for (int i = 0; i < kComboEditRows; ++i) {
    EXPECT_EQ(layout.rows[i].boxTop, expectedTops[i]) << i;
    EXPECT_EQ(layout.rows[i].boxLeft, 138) << "beside the widest label";
    EXPECT_EQ(layout.rows[i].upDownLeft, 138 + 180 + 2);
  }
  EXPECT_EQ(layout.width, 320 + 17);
  // Narrow labels leave the minimum column.
  EXPECT_EQ(LayOutComboEdit(4, 6, 110, std::vector<int>(9, 20), 21, 17).rows[0].boxLeft, 118);
}

}  // namespace
}  // namespace corvane
