#include "gui/keys.h"

#include <gtest/gtest.h>

namespace corvane::gui {
namespace {

TEST(GuiKeys, ParsesShortCutTexts) {
  struct Case {
    const char* text;
    ShortCut expected;
  };
  for (const Case& c : {Case{"F2", {keys::F(2), Shift::None}},
                        Case{"Ctrl+F1", {keys::kF1, Shift::Ctrl}},
                        Case{"ctrl+shift+f12", {keys::kF12, Shift::Ctrl | Shift::Shift}},
                        Case{"Control+Alt+x", {'X', Shift::Ctrl | Shift::Alt}},
                        Case{"Esc", {keys::kEscape, Shift::None}},
                        Case{"Pause", {keys::kPause, Shift::None}},
                        Case{"Shift+Del", {keys::kDelete, Shift::Shift}},
                        Case{"F24", {keys::kF24, Shift::None}},
                        Case{"7", {'7', Shift::None}}}) {
    std::optional<ShortCut> parsed = ParseShortCut(c.text);
    ASSERT_TRUE(parsed) << c.text;
    EXPECT_EQ(*parsed, c.expected) << c.text;
  }
  for (const char* bad : {"", "Ctrl+", "+F1", "F25", "F0", "F01", "Hyper+A", "AB", "Ctrl+Shift", "F1+Ctrl", "?"})
    EXPECT_FALSE(ParseShortCut(bad)) << bad;
}

TEST(GuiKeys, WritesTheMenuSpellingThatParsesBack) {
  for (const char* text : {"F9", "Ctrl+F3", "ctrl+shift+f2", "Alt+Shift+A", "Escape", "pgdn", "Insert"}) {
    ShortCut shortCut = *ParseShortCut(text);
    std::string written = ShortCutText(shortCut);
    EXPECT_EQ(ParseShortCut(written), shortCut) << text << " -> " << written;
  }
  EXPECT_EQ(ShortCutText(*ParseShortCut("ctrl+shift+f2")), "Shift+Ctrl+F2");
  EXPECT_EQ(ShortCutText(*ParseShortCut("escape")), "Esc");
  EXPECT_EQ(KeyName(0xE8), "");
}

TEST(GuiKeys, ShiftSetsKeepModifiersApartFromButtons) {
  Shift held = Shift::Right | Shift::Ctrl | Shift::Double;
  EXPECT_TRUE(Has(held, Shift::Right | Shift::Ctrl));
  EXPECT_FALSE(Has(held, Shift::Shift));
  EXPECT_EQ(KeyModifiers(held), Shift::Ctrl);
}

}  // namespace
}  // namespace corvane::gui
