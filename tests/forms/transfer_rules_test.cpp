#include <gtest/gtest.h>

#include <string>

#include "forms/transfer/transfer_rules.h"

namespace corvane {
namespace {

TransferCells AllCells(const std::string& cell) {
  TransferCells cells;
  cells.fill(cell);
  return cells;
}

TEST(TransferRules, StatusNamesTheKindsPresentInTheirFixedOrder) {
  struct Case {
    std::vector<std::pair<int, std::string>> changed;  // row, cell over all-good cells
    const char* status;
  };
  const Case cases[] = {
      {{}, "Status : OK"},
      {{{0, ""}}, "Status : EMPTY values is detected"},
      {{{68, "ABSENT"}, {3, "EMPTY"}}, "Status : EMPTY, ABSENT values is detected"},
      {{{5, "ABSENT"}, {6, "ERROR"}, {7, "-"}}, "Status : ERROR, ABSENT values is detected"},
      {{{1, "1.2.3"}, {2, ""}, {4, "ABSENT"}}, "Status : EMPTY, ERROR, ABSENT values is detected"},
      {{{9, "Absent"}}, "Status : ERROR values is detected"},
  };
  for (const Case& c : cases) {
    TransferCells cells = AllCells("-0.5");
    for (const auto& [row, cell] : c.changed) cells[size_t(row)] = cell;
    EXPECT_EQ(TransferStatusText(cells), c.status);
    EXPECT_EQ(AllTransferCellsGood(cells), c.changed.empty()) << c.status;
  }
}

TEST(TransferRules, TypedKeysFollowTheCellRules) {
  struct Case {
    const char* text;
    wchar_t key;
    const char* newText;  // nullptr: the editor's text stays
    wchar_t passed;
    bool selected = false;  // the editor's whole text is selected
  };
  const Case cases[] = {
      {"12", L'-', "-12", 0},       {"-12", L'+', "12", 0},     {"-12", L'-', nullptr, 0},
      {"12", L'+', nullptr, 0},     {"1.5", L'.', nullptr, 0},  {"15", L'.', nullptr, L'.'},
      {"15", L'7', nullptr, L'7'},  {"15", L'\b', nullptr, L'\b'}, {"15", L'a', nullptr, 0},
      {"15", L'e', nullptr, 0},     {"15", L',', nullptr, 0},   {"15", L'\x16', nullptr, 0},
      // A marker is emptied before the key acts.
      {"EMPTY", L'4', "", L'4'},    {"ERROR", L'-', "-", 0},    {"ABSENT", L'.', "", L'.'},
      {"ERROR", L'\b', "", L'\b'},  {"1.2.3", L'+', "", 0},     {"EMPTY", L'x', nullptr, 0},
      // The sign or point typed first survives the digits after it.
      {"-", L'5', nullptr, L'5'},   {".", L'5', nullptr, L'5'}, {"-.", L'.', nullptr, 0},
      {"-", L'+', "", 0},           {"", L'-', "-", 0},
      // Digits past the number format stay; the edit ends as ERROR.
      {"1000000000000000", L'5', nullptr, L'5'},
      // A selected text is replaced by the key; the signs still act on it.
      {"1.5", L'.', nullptr, L'.', true}, {"15", L'7', nullptr, L'7', true}, {"EMPTY", L'4', nullptr, L'4', true},
      {"12", L'-', "-12", 0, true},       {"-12", L'+', "12", 0, true},      {"12", L'x', nullptr, 0, true},
  };
  for (const Case& c : cases) {
    TransferKeyResult result = TransferKeyPress(c.text, c.key, c.selected);
    EXPECT_EQ(result.newText.has_value(), c.newText != nullptr) << c.text << " + " << int(c.key);
    if (result.newText && c.newText) {
      EXPECT_EQ(*result.newText, c.newText) << c.text << " + " << int(c.key);
    }
    EXPECT_EQ(result.character, c.passed) << c.text << " + " << int(c.key);
  }
}

TEST(TransferRules, EditsShowEmptyAndLeaveMarkersForWhatIsNoNumber) {
  EXPECT_EQ(TransferEditStartText(""), "EMPTY");
  EXPECT_EQ(TransferEditStartText("ERROR"), "ERROR");
  EXPECT_EQ(TransferEditEndValue(""), "EMPTY");
  EXPECT_EQ(TransferEditEndValue("-"), "ERROR");
  EXPECT_EQ(TransferEditEndValue("."), "ERROR");
  EXPECT_EQ(TransferEditEndValue("5."), "5.");
  EXPECT_EQ(TransferEditEndValue("-0"), "-0");
  EXPECT_EQ(TransferEditEndValue("1000000000000000"), "ERROR") << "OK would send what cannot be shown";
}

TEST(TransferRules, CellsOfTheTargetShowWhatCannotBeWrittenAsError) {
  TransferCells cells = TransferCellsOf([](int n) { return n == 7 ? 1e15 : n == 28 ? -2.0 / 3 : n / 4.0; });
  EXPECT_EQ(cells[0], "0.25");
  EXPECT_EQ(cells[3], "1");
  EXPECT_EQ(cells[27], "-0.666666666666667");
  EXPECT_EQ(cells[6], kCellError) << "an unwritable value must not end the window";
  EXPECT_EQ(TransferCellValue("-"), 0.0);
}

}  // namespace
}  // namespace corvane
