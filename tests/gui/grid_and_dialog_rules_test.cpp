#include <gtest/gtest.h>

#include <string>

#include "gui/file_dialog_rules.h"
#include "gui/grid_state.h"

namespace corvane::gui {
namespace {

using namespace std::string_literals;

TEST(GuiGridState, MovesClampToTheRowsAndCommitARunningEdit) {
  GridState grid({"Points", "Lines", "Ticks", "Stochastity", "Intensity"});
  struct Step {
    GridMove move;
    int expectedRow;
  };
  for (const Step& step : {Step{GridMove::Up, 0}, Step{GridMove::Down, 1}, Step{GridMove::PageDown, 4},
                           Step{GridMove::Down, 4}, Step{GridMove::PageUp, 1}, Step{GridMove::End, 4},
                           Step{GridMove::Home, 0}}) {
    EXPECT_FALSE(grid.Move(step.move, 3)) << "nothing was being edited";
    EXPECT_EQ(grid.Row(), step.expectedRow);
  }

  grid.MoveTo(2);
  grid.BeginEdit("EMPTY");
  grid.SetEditText("12");
  EXPECT_EQ(grid.Value(2), "") << "the cell keeps its value while edited";
  EXPECT_EQ(grid.Move(GridMove::Down, 3), 2) << "leaving the row commits it";
  EXPECT_EQ(grid.Value(2), "12");
  EXPECT_FALSE(grid.Editing());
  EXPECT_EQ(grid.Row(), 3);

  grid.BeginEdit("7");
  grid.SetEditText("8");
  grid.CancelEdit();
  EXPECT_EQ(grid.Value(3), "");
  EXPECT_FALSE(grid.CommitEdit()) << "a cancelled edit leaves nothing to commit";
  grid.SetEditText("9");
  EXPECT_EQ(grid.EditText(), "8") << "no editor text without an edit";

  EXPECT_TRUE(grid.SetValue(0, "1"));
  EXPECT_FALSE(grid.SetValue(0, "1"));
  EXPECT_EQ(grid.Values(), (std::vector<std::string>{"1", "", "12", "", ""}));
  EXPECT_THROW(grid.SetValue(5, "x"), std::out_of_range);

  GridState empty({});
  EXPECT_FALSE(empty.MoveTo(3));
  empty.BeginEdit("x");
  EXPECT_FALSE(empty.Editing());
}

TEST(GuiFileDialogRules, FiltersPairNamesWithPatterns) {
  EXPECT_EQ(ParseFileFilter("Preset files|*.cvp"), (std::vector<FileFilter>{{"Preset files", "*.cvp"}}));
  EXPECT_EQ(ParseFileFilter("Lists|*.cvw|All files|*.*|Dangling"),
            (std::vector<FileFilter>{{"Lists", "*.cvw"}, {"All files", "*.*"}}));
  EXPECT_TRUE(ParseFileFilter("").empty());
  EXPECT_EQ(ParseFileFilter("Images|*.bmp;*.jpg|"), (std::vector<FileFilter>{{"Images", "*.bmp;*.jpg"}}));
}

TEST(GuiFileDialogRules, SelectionsBecomeFullPathsInTheDialogsOrder) {
  EXPECT_EQ(SplitSelectedFiles("C:\\p\\one.cvp\0\0"s), (std::vector<std::string>{"C:\\p\\one.cvp"}));
  EXPECT_EQ(SplitSelectedFiles("C:\\p\0b.cvp\0a.cvp\0\0"s),
            (std::vector<std::string>{"C:\\p\\b.cvp", "C:\\p\\a.cvp"}));
  EXPECT_EQ(SplitSelectedFiles("C:\\\0a.cvp\0\0"s), (std::vector<std::string>{"C:\\a.cvp"})) << "the root ends in \\";
  EXPECT_TRUE(SplitSelectedFiles("\0\0"s).empty());
}

TEST(GuiFileDialogRules, ATooLongSelectionIsAskedAgainWithMoreRoomUpToTheMost) {
  using Outcome = DialogShowing::Outcome;
  std::vector<size_t> rooms;
  // A dialog whose selection needs `need` characters; it reports the need
  // cut to 16 bits, as the system does.
  auto selectionOf = [&rooms](size_t need) {
    rooms.clear();
    return [need, &rooms](size_t room) -> DialogShowing {
      rooms.push_back(room);
      if (room >= need) return {Outcome::Chosen};
      return {Outcome::TooSmall, need & 0xFFFF};
    };
  };
  EXPECT_EQ(ShowUntilAnswerFits(selectionOf(100)).outcome, Outcome::Chosen);
  EXPECT_EQ(rooms, std::vector<size_t>{kFirstAnswerChars});
  EXPECT_EQ(ShowUntilAnswerFits(selectionOf(300'000)).outcome, Outcome::Chosen);
  EXPECT_EQ(rooms, (std::vector<size_t>{32 << 10, 256 << 10, 2 << 20}));
  EXPECT_EQ(ShowUntilAnswerFits(selectionOf(100 << 20)).outcome, Outcome::TooSmall);
  EXPECT_EQ(rooms, (std::vector<size_t>{32 << 10, 256 << 10, 2 << 20, kMostAnswerChars}));

  // A need reported beyond eightfold is met at once; a cancel ends it.
  rooms.clear();
  ShowUntilAnswerFits([&](size_t room) -> DialogShowing {
    rooms.push_back(room);
    return room == kFirstAnswerChars ? DialogShowing{Outcome::TooSmall, 5'000'000} : DialogShowing{Outcome::Cancelled};
  });
  EXPECT_EQ(rooms, (std::vector<size_t>{kFirstAnswerChars, 5'000'000}));
}

}  // namespace
}  // namespace corvane::gui
