#include <gtest/gtest.h>

#include <string>

#include "forms/tool_windows/tool_form_rules.h"

namespace corvane {
namespace {

using Outcome = BackgroundChannels::TextOutcome;

TEST(BackgroundChannels, NumberTextRules) {
  struct Case {
    std::string text;
    Outcome outcome;
    uint8_t red;  // afterwards, from a stored 100
  } cases[] = {
      {"100", Outcome::Unchanged, 100}, {"300", Outcome::PutBack, 100},  {"256", Outcome::PutBack, 100},
      {"255", Outcome::Taken, 255},     {"", Outcome::Taken, 0},         {"007", Outcome::Taken, 7},
      {"1a", Outcome::PutBack, 100},    {"-1", Outcome::PutBack, 100},   {"99999999999", Outcome::PutBack, 100},
  };
  for (const Case& c : cases) {
    BackgroundChannels channels;
    channels.SetColor({100, 1, 2, 3});
    EXPECT_EQ(channels.TakeText(0, c.text), c.outcome) << c.text;
    EXPECT_EQ(channels.Color(), (BackgroundColor{c.red, 1, 2, 3})) << c.text;
  }
}

TEST(BackgroundChannels, PositionsTakeOnlyNewValuesInRange) {
  BackgroundChannels channels;
  channels.SetColor({0, 0, 0, 9});
  EXPECT_FALSE(channels.TakePosition(3, 9));
  EXPECT_FALSE(channels.TakePosition(3, 256));
  EXPECT_FALSE(channels.TakePosition(3, -1));
  EXPECT_TRUE(channels.TakePosition(3, 255));
  EXPECT_TRUE(channels.TakePosition(0, 128));
  EXPECT_EQ(channels.Color(), (BackgroundColor{128, 0, 0, 255}));
}

TEST(BackgroundChannels, TypingAcceptsDigitsAndBackspaceOnly) {
  for (wchar_t c : {L'0', L'5', L'9', L'\b'}) EXPECT_TRUE(ChannelCharAccepted(c)) << int(c);
  for (wchar_t c : {L'a', L'-', L' ', L'+', L'/', L':'}) EXPECT_FALSE(ChannelCharAccepted(c)) << int(c);
  auto items = ChannelItems();
  EXPECT_EQ(items.front(), "0");
  EXPECT_EQ(items[128], "128");
  EXPECT_EQ(items.back(), "255");
}

TEST(EnhancedSettings, VSyncBoxAndClicks) {
  EXPECT_EQ(VSyncBoxFor(0), (VSyncBox{false, false}));  // no swap-interval control
  EXPECT_EQ(VSyncBoxFor(1), (VSyncBox{true, true}));
  EXPECT_EQ(VSyncBoxFor(2), (VSyncBox{true, false}));
  EXPECT_EQ(VSyncStateFor(true), 1);
  EXPECT_EQ(VSyncStateFor(false), 2);
}

}  // namespace
}  // namespace corvane
