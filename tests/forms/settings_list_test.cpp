// The configuration dialog's list decisions against a registry in memory.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "../presets/test_registry.h"
#include "forms/configuration/settings_list.h"
#include "presets/memory_registry.h"
#include "presets/preset_selection.h"
#include "presets/registry_store.h"

namespace corvane {
namespace {

class SettingsListTest : public ::testing::Test {
 protected:
  static void Store(const std::string& name, double points) {
    for (int n = 1; n <= kParamCount; ++n) WriteListParam(name, n, ParamDefault(n));
    WriteListParam(name, 1, points);
  }
  static double Stored(const std::string& name, int number) {
    double value = -1;
    ReadListParam(name, number, value);
    return value;
  }
  static std::vector<std::string> Names() {
    std::vector<std::string> names;
    ListPresetNames(names);
    return names;
  }
  static std::vector<std::string> EntryNames(const SettingsList& list) {
    std::vector<std::string> names;
    for (const SettingsEntry& entry : list.Entries()) names.push_back(entry.name);
    return names;
  }
  // Files are "<dir>\<name>.cvp"; the reader hands back a preset whose
  // first value identifies the file, or raises for the names in `bad`.
  std::map<std::string, double> files;
  std::vector<std::string> bad;
  SettingsList::PresetReader Reader() {
    return [this](const std::string& path) {
      for (const std::string& b : bad)
        if (path == b) throw std::runtime_error("The system cannot find the file specified.");
      TPresetParams preset;
      preset.SetValue(1, files.at(path));
      return preset;
    };
  }

  MemoryRegistry backend;
  test::ScopedTestRegistry registry{backend};
};

TEST_F(SettingsListTest, LoadReadsEveryPresetAndSelectsTheCurrentOneCaseBlind) {
  Store("Alpha", 11);
  Store("Beta", 22);
  WriteListParam("Gamma", 2, 5);  // only one value stored: the rest are defaults
  WriteCurrentPresetName("BETA");
  SettingsList list;
  list.Load();
  ASSERT_EQ(EntryNames(list), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(list.Shown().GetValue(1), 22);
  EXPECT_EQ(list.Entries()[2].params.GetValue(2), 5);
  EXPECT_EQ(list.Entries()[2].params.GetValue(3), ParamDefault(3));

  WriteCurrentPresetName("Missing");
  list.Load();
  EXPECT_EQ(list.Selected(), -1);
}

TEST_F(SettingsListTest, NoPresetsShowsTheDefaultsAndSaveWritesOnlyNameAndFlags) {
  WriteCurrentPresetName("Stale");
  SettingsList list;
  list.Load();
  EXPECT_TRUE(list.Entries().empty());
  EXPECT_EQ(list.Selected(), -1);
  EXPECT_EQ(list.Shown(), TPresetParams::Defaults());
  list.SetSelectedParam(46, 3.0);  // nothing selected: nothing kept
  EXPECT_EQ(list.Shown(), TPresetParams::Defaults());

  list.Save(true, true);
  EXPECT_TRUE(Names().empty());
  std::string name = "x";
  bool random = false, shuffle = false;
  EXPECT_TRUE(ReadCurrentPresetName(name));
  EXPECT_EQ(name, "");
  ReadRandomMode(random);
  ReadShuffleMode(shuffle);
  EXPECT_TRUE(random);
  EXPECT_TRUE(shuffle);
}

TEST_F(SettingsListTest, AddAppendsTheFirstChosenFileLastAndSelectsBySecondName) {
  files = {{"d\\A.cvp", 1}, {"d\\B.cvp", 2}, {"d\\C.cvp", 3}, {"d\\only.cvp", 4}};
  SettingsList list;
  list.Load();
  list.Add({"d\\A.cvp", "d\\B.cvp", "d\\C.cvp"}, Reader());
  EXPECT_EQ(EntryNames(list), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_EQ(list.Shown().GetValue(1), 2);

  list.Add({"d\\only.cvp"}, Reader());
  EXPECT_EQ(list.Selected(), 3);
  EXPECT_TRUE(Names().empty()) << "nothing is written before Save";
}

TEST_F(SettingsListTest, AnEqualNameSelectsTheOlderEntryAndSaveStoresTheNewerValues) {
  Store("Wave", 100);
  WriteCurrentPresetName("Wave");
  files = {{"x\\wave.cvp", 200}};
  SettingsList list;
  list.Load();
  list.Add({"x\\wave.cvp"}, Reader());
  ASSERT_EQ(EntryNames(list), (std::vector<std::string>{"Wave", "wave"}));
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_EQ(list.Shown().GetValue(1), 100);
  EXPECT_EQ(Stored("Wave", 1), 100);

  list.Save(false, false);
  EXPECT_EQ(Stored("Wave", 1), 200);
  std::string name;
  ReadCurrentPresetName(name);
  EXPECT_EQ(name, "Wave");
}

TEST_F(SettingsListTest, AnUnreadableFileStopsAddButKeepsTheEntriesBeforeIt) {
  files = {{"A.cvp", 1}, {"B.cvp", 2}, {"D.cvp", 4}};
  bad = {"C.cvp"};
  SettingsList list;
  list.Load();
  list.Add({"D.cvp"}, Reader());
  ASSERT_EQ(list.Selected(), 0);
  EXPECT_THROW(list.Add({"A.cvp", "B.cvp", "C.cvp"}, Reader()), std::runtime_error);
  EXPECT_EQ(EntryNames(list), (std::vector<std::string>{"D", "B"}));
  EXPECT_EQ(list.Selected(), 0);
}

TEST_F(SettingsListTest, DeleteTakesEffectAtOnceAndForgetsTheCurrentPreset) {
  Store("Keep", 1);
  Store("Gone", 2);
  WriteCurrentPresetName("Gone");
  SettingsList list;
  list.Load();
  list.DeleteSelected();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Keep"}));
  EXPECT_EQ(EntryNames(list), (std::vector<std::string>{"Keep"}));
  EXPECT_EQ(list.Selected(), -1);
  std::string name = "x";
  ReadCurrentPresetName(name);
  EXPECT_EQ(name, "");

  // With nothing selected Delete still forgets the current preset.
  WriteCurrentPresetName("Keep");
  list.DeleteSelected();
  ReadCurrentPresetName(name);
  EXPECT_EQ(name, "");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Keep"}));
}

TEST_F(SettingsListTest, EditsReachTheSelectedEntryAndOnlySaveWritesThem) {
  Store("One", 1);
  Store("Two", 2);
  SettingsList list;
  list.Load();
  list.Select(1);
  list.SetSelectedParam(46, 0.25);
  list.SetSelectedParam(69, 128);
  EXPECT_EQ(Stored("Two", 46), ParamDefault(46));
  list.Select(7);
  EXPECT_EQ(list.Selected(), -1);
  list.Select(1);
  list.Save(false, true);
  EXPECT_EQ(Stored("Two", 46), 0.25);
  EXPECT_EQ(Stored("Two", 69), 128);
  EXPECT_EQ(Stored("One", 46), ParamDefault(46));
  std::string name;
  ReadCurrentPresetName(name);
  EXPECT_EQ(name, "Two");
}

TEST_F(SettingsListTest, AShownChildIsPreviewedEditedAndKeptUnderAFreeNameOnlySaveWrites) {
  Store("Jade Ribbon × Tiger Eye", 1);
  Store("Kept", 2);
  WriteCurrentPresetName("Kept");
  TPresetParams older = TPresetParams::Defaults(), newer = TPresetParams::Defaults();
  older.SetValue(1, 30);
  newer.SetValue(1, 40);
  RememberChild({"Jade Ribbon", "Tiger Eye", 7, older});
  RememberChild({"Jade Ribbon", "Tiger Eye", 8, newer});
  SettingsList list;
  list.Load();
  ASSERT_EQ(list.Children().size(), 2u);
  EXPECT_EQ(ChildItemText(0, list.Children()[0]), "1. Jade Ribbon × Tiger Eye");
  EXPECT_EQ(list.ShownChild(), -1);
  EXPECT_FALSE(list.KeepShownChild("Nothing shown"));

  list.ShowChild(1);
  EXPECT_EQ(list.Shown().GetValue(1), 30);
  list.SetSelectedParam(46, 0.5);  // reaches the child, not the selected entry
  EXPECT_EQ(list.Entries()[1].params.GetValue(46), ParamDefault(46));
  // Trimmed, no "\", and free of every entry's name, case-blind.
  EXPECT_EQ(list.KeptChildName("  "), "Jade Ribbon × Tiger Eye (2)");
  EXPECT_EQ(list.KeptChildName(" KEPT "), "KEPT (2)");
  EXPECT_EQ(list.KeptChildName("a\\b"), "a/b");
  ASSERT_TRUE(list.KeepShownChild(" Keeper "));
  EXPECT_EQ(EntryNames(list), (std::vector<std::string>{"Jade Ribbon × Tiger Eye", "Kept", "Keeper"}));
  EXPECT_EQ(list.Selected(), 2);
  EXPECT_EQ(list.ShownChild(), -1);
  EXPECT_EQ(list.Shown().GetValue(46), 0.5);
  EXPECT_EQ(Names().size(), 2u) << "nothing is written before Save";

  list.ShowChild(0);
  list.Select(1);  // a preset picked shows that preset again
  EXPECT_EQ(list.ShownChild(), -1);
  list.Save(false, false);
  EXPECT_EQ(Stored("Keeper", 1), 30);
  EXPECT_EQ(Stored("Keeper", 46), 0.5);
}

}  // namespace
}  // namespace corvane
