#include <gtest/gtest.h>

#include <set>

#include "shell/command_line.h"

namespace corvane {
namespace {

StartRequest Parse(std::vector<std::string> arguments, std::set<std::string> files = {}) {
  return ParseStartArguments(arguments, [&](const std::string& name) { return files.count(name) > 0; });
}

TEST(StartArguments, ModeCharacterIsTheOnlyOrTheSecondCharacter) {
  struct Case { std::vector<std::string> args; RunMode mode; };
  const Case cases[] = {
      {{}, RunMode::Application},
      {{"/s"}, RunMode::FullScreen},         {{"-S"}, RunMode::FullScreen},
      {{"s"}, RunMode::FullScreen},          {{"/s:123"}, RunMode::FullScreen},
      {{"/S", "extra"}, RunMode::FullScreen}, {{"/p", "1234"}, RunMode::Preview},
      {{"/P"}, RunMode::Preview},            {{"p"}, RunMode::Preview},
      {{"/c:5678"}, RunMode::Configuration}, {{"C"}, RunMode::Configuration},
      {{"/c"}, RunMode::Configuration},      {{"xs"}, RunMode::FullScreen},
      {{"/x"}, RunMode::Application},        {{"x"}, RunMode::Application},
      {{""}, RunMode::Application},          {{"sc"}, RunMode::Configuration},
  };
  for (const Case& c : cases) {
    StartRequest request = Parse(c.args);
    EXPECT_EQ(request.mode, c.mode) << (c.args.empty() ? "(none)" : c.args[0]);
    if (c.mode != RunMode::Application) {
      EXPECT_EQ(request.startFileKind, kNoStartFile);
    }
  }
}

TEST(StartArguments, FileArgumentKinds) {
  struct Case { std::string arg; bool exists; uint8_t kind; };
  const Case cases[] = {
      {"preset.cvp", true, kPresetStartFile},          {"PRESET.CvP", true, kPresetStartFile},
      {"C:\\a.b\\walls.cvw", true, kWallpapersStartFile}, {"walls.CVW", true, kWallpapersStartFile},
      {"C:\\dir.cvp\\noext", true, kNoStartFile},      {"noext", true, kNoStartFile},
      {"picture.bmp", true, kNoStartFile},             {"D:name.cvp", true, kPresetStartFile},
      {"missing.cvp", false, kMissingStartFile},       {"x", false, kMissingStartFile},
      {"", false, kMissingStartFile},                  {"Ünïcødé.cvp", true, kPresetStartFile},
      {std::string(5000, 'a') + ".cvw", true, kWallpapersStartFile},
      {"/p abc", false, kMissingStartFile},
  };
  for (const Case& c : cases) {
    std::set<std::string> files;
    if (c.exists) files.insert(c.arg);
    StartRequest request = Parse({c.arg}, files);
    // "/p abc" as one argument: its second character is 'p', so it previews.
    if (c.arg == "/p abc") {
      EXPECT_EQ(request.mode, RunMode::Preview);
      continue;
    }
    EXPECT_EQ(request.mode, RunMode::Application) << c.arg.substr(0, 40);
    EXPECT_EQ(request.startFileKind, c.kind) << c.arg.substr(0, 40);
    EXPECT_EQ(request.startFileName, c.arg);
  }
}

TEST(StartArguments, ExtensionIsTakenAfterTheLastSeparator) {
  EXPECT_EQ(ExtractFileExt("a.b.cvp"), ".cvp");
  EXPECT_EQ(ExtractFileExt("C:\\x.y\\file"), "");
  EXPECT_EQ(ExtractFileExt("C:file.cvw"), ".cvw");
  EXPECT_EQ(ExtractFileExt("name."), ".");
  EXPECT_EQ(ExtractFileExt(""), "");
}

TEST(ConfigurationOwnerHandle, ReadsTheDecimalHandleAfterTheColonOnly) {
  struct Case {
    std::vector<std::string> arguments;
    std::optional<uintptr_t> owner;
  };
  const Case cases[] = {
      {{"/c:5678"}, 5678}, {{"-C:12"}, 12},        {{"/c"}, std::nullopt},   {{"c"}, std::nullopt},
      {{"/c:"}, std::nullopt}, {{"/c:abc"}, std::nullopt}, {{"/c:12x"}, std::nullopt}, {{"/c:-5"}, std::nullopt},
      {{}, std::nullopt},  {{"/c:99999999999999999999999"}, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ConfigurationOwnerHandle(c.arguments), c.owner) << (c.arguments.empty() ? "" : c.arguments[0]);
}


}  // namespace
}  // namespace corvane
