// The preset editor's rules and commands with a recording main window, a
// view that keeps the values, real preset files and an in-memory registry.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../presets/test_registry.h"
#include "evolve/child_checks.h"
#include "figure/preset_params.h"
#include "forms/preset_editor/preset_editor_commands.h"
#include "presets/memory_registry.h"
#include "presets/preset_selection.h"
#include "presets/preset_text.h"
#include "presets/registry_store.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using gui::Shift;
namespace keys = gui::keys;

TEST(PresetEditorRules, EveryParameterHasOnePlaceAndOthersRaise) {
  const struct {
    int number;
    EditorParamPlace place;
  } cases[] = {
      {1, {EditorControl::Row, 1, 1}},      {9, {EditorControl::Row, 1, 9}},
      {10, {EditorControl::Row, 2, 1}},     {46, {EditorControl::Row, 6, 1}},
      {63, {EditorControl::Row, 7, 9}},     {64, {EditorControl::Blending}},
      {65, {EditorControl::Background}},    {68, {EditorControl::Background}},
      {69, {EditorControl::MotionBlur}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EditorPlaceOf(c.number), c.place) << c.number;
    if (c.place.control == EditorControl::Row) {
      EXPECT_EQ(EditorParamNumber(c.place.tab, c.place.row), c.number);
    }
  }
  for (int wrong : {0, 70, -1})
    EXPECT_EQ(test::Raised<EAdvancedFormError>([&] { EditorPlaceOf(wrong); }), "Wrong parameter number.") << wrong;
}

TEST(PresetEditorRules, BlendingAndMotionBlurRoundHalfToEvenWithinTheirControls) {
  const struct {
    double value;
    std::optional<int> selection;
  } blending[] = {{0, 0}, {6, 6}, {2.5, 2}, {3.5, 4}, {-0.4, 0}, {6.5, 6}, {7.4, std::nullopt},
                  {-0.6, std::nullopt}, {NAN, std::nullopt}, {1e300, std::nullopt}};
  for (const auto& c : blending) EXPECT_EQ(BlendingSelection(c.value), c.selection) << c.value;

  const struct {
    double value;
    int position;
  } blur[] = {{0, 0}, {7.5, 8}, {8.5, 8}, {254.6, 255}, {300, 255}, {-3, 0}, {NAN, 0}};
  for (const auto& c : blur) EXPECT_EQ(MotionBlurPosition(c.value), c.position) << c.value;

  EXPECT_EQ(MotionBlurCaption(0), " Motion Blur = Off ");
  EXPECT_EQ(MotionBlurCaption(8), " Motion Blur = 8 ");
  EXPECT_EQ(MotionBlurCaption(255), " Motion Blur = Max ");
  EXPECT_EQ(EditorTimerCaption("60.0 fps"), "Settings  |  60.0 fps");
}

TEST(PresetEditorRules, OnlyTheMainWindowsKeysArePassedOn) {
  const struct {
    gui::Key key;
    Shift shift;
    bool passed;
  } cases[] = {
      {keys::F(1), Shift::Ctrl, true},    {keys::F(12), Shift::Ctrl, true},  {keys::kPause, Shift::None, true},
      {keys::F(11), Shift::None, true},   {gui::Key('F'), Shift::Ctrl, true},   {keys::F(12), Shift::None, true},  {keys::F(1), Shift::None, false},
      {keys::F(2), Shift::None, false},   {keys::kEscape, Shift::None, false}, {keys::F(12), Shift::Shift, false},
  };
  for (const auto& c : cases) EXPECT_EQ(EditorPassesKeyOn(c.key, c.shift), c.passed) << c.key << ' ' << int(c.shift);
}

TEST(PresetEditorRules, TheListStaysSortedWithOneEntryPerRegistryKey) {
  PresetNameList list;
  list.Fill({"beta", "Alpha", "gamma", "ALPHA"});
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"ALPHA", "beta", "gamma"}));
  EXPECT_FALSE(list.Selected());
  EXPECT_FALSE(list.RemoveSelected());

  EXPECT_EQ(list.Add("Delta"), 2);
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"ALPHA", "beta", "Delta", "gamma"}));
  EXPECT_EQ(list.Add("BETA"), 1) << "the listed name is selected, not added again";
  EXPECT_EQ(list.Names().size(), 4u);
  EXPECT_EQ(list.Selected(), "beta");
  EXPECT_TRUE(list.RemoveSelected());
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"ALPHA", "Delta", "gamma"}));
  list.Select(7);
  EXPECT_FALSE(list.Selected());
}

// The main window: records the pause bracket and keeps the sent values.
class RecordingHost final : public EditorHost {
 public:
  void SetPresetParam(int number, double value) override {
    sent.push_back(number);
    params.at(size_t(number)) = value;
  }
  double GetPresetParam(int number) override { return params.at(size_t(number)); }
  void ShowStatus(std::optional<std::string_view> a, std::optional<std::string_view> b,
                  std::optional<std::string_view> c) override {
    auto text = [](std::optional<std::string_view> t) { return t ? std::string(*t) : std::string("-"); };
    status = text(a) + " | " + text(b) + " | " + text(c);
  }
  void SuspendDrawing() override { ++depth, ++suspends; }
  void ResumeDrawing() override {
    --depth;
    if (resumeRaises) throw std::runtime_error("resume refused");
  }
  void CaptureView() override {
    for (int n = kFirstLookAtParam; n <= kLastLookAtParam; ++n) params.at(size_t(n)) = n * 10.0;
  }

  std::array<double, kParamCount + 1> params{};
  std::vector<int> sent;
  std::string status;
  int depth = 0, suspends = 0;
  bool resumeRaises = false;
};

class FakeView final : public EditorView {
 public:
  void SetEditorParam(int number, double value) override {
    EditorPlaceOf(number);
    values.at(size_t(number)) = value;
  }
  double GetEditorParam(int number) override {
    EditorPlaceOf(number);
    return values.at(size_t(number));
  }
  void ClearHistory() override { ++historyClears; }
  std::optional<std::string> RunSaveDialog() override { return answers.Next(); }
  std::optional<std::string> RunOpenDialog() override { return answers.Next(); }
  void ShowPresetList(const PresetNameList& list) override {
    shownNames = list.Names();
    selectionEnabled = list.Selected().has_value();
  }
  void ShowModes(bool random, bool shuffle) override { modes = {random, shuffle}; }
  void ShowLookAtPage() override { ++lookAtShown; }

  test::DialogAnswers answers;
  std::array<double, kParamCount + 1> values{};
  int historyClears = 0, lookAtShown = 0;
  std::vector<std::string> shownNames;
  bool selectionEnabled = false;
  std::pair<bool, bool> modes{};
};

class PresetEditorCommandsTest : public testing::Test {
 protected:
  PresetEditorCommandsTest() { test::ClearMessageBoxes(); }
  ~PresetEditorCommandsTest() override { EXPECT_EQ(host.depth, 0) << "the picture was left paused"; }

  std::string File(const std::string& name, const TPresetParams& preset) {
    std::string path = dir.File(name);
    WritePresetFile(path, preset);
    return path;
  }
  static TPresetParams Preset(double first) {
    TPresetParams preset;
    for (int n = 1; n <= kParamCount; ++n) preset.SetValue(n, first + n);
    return preset;
  }
  void ExpectShown(const TPresetParams& preset) {
    for (int n = 1; n <= kParamCount; ++n) {
      EXPECT_EQ(view.values[size_t(n)], preset.GetValue(n)) << "editor " << n;
      EXPECT_EQ(host.params[size_t(n)], preset.GetValue(n)) << "picture " << n;
    }
  }
  std::vector<std::string> StoredNames() {
    std::vector<std::string> names;
    ListPresetNames(names);
    return names;
  }

  MemoryRegistry backend;
  test::ScopedTestRegistry registry{backend};
  test::TempDir dir;
  RecordingHost host;
  FakeView view;
  PresetEditorCommands commands{host, view};
};

TEST_F(PresetEditorCommandsTest, CancelledDialogsEndEachCommandWithThePictureRunning) {
  const std::vector<std::function<void()>> dialogCommands = {
      [&] { commands.QuickSaveToFile(); }, [&] { commands.SaveToFile(); },   [&] { commands.QuickLoadFromFile(); },
      [&] { commands.LoadFromFile(); },    [&] { commands.AddFromFile(); },
  };
  for (const auto& command : dialogCommands) {
    view.answers.queue.push_back(std::nullopt);
    host.status.clear();
    int before = host.suspends;
    command();
    EXPECT_EQ(host.suspends, before + 1);
    EXPECT_EQ(host.depth, 0);
    EXPECT_EQ(host.status, "");
  }
  EXPECT_TRUE(host.sent.empty());
  EXPECT_EQ(commands.QuickFileName(), "");
  EXPECT_EQ(commands.QuickLoadFileName(), "");
  EXPECT_TRUE(dir.Path().size() && test::MessageBoxes().empty());
}

TEST_F(PresetEditorCommandsTest, FilesRoundTripAndTheQuickNamesFollowTheLastChoice) {
  TPresetParams first = Preset(0.25);
  std::string loaded = File("first.cvp", first);
  view.answers.queue = {loaded};
  commands.LoadFromFile();
  ExpectShown(first);
  EXPECT_EQ(view.historyClears, 1);
  EXPECT_EQ(host.status, "Loaded | All values | " + loaded);
  EXPECT_EQ(commands.QuickFileName(), loaded);

  // Quick save right after the load overwrites that file without asking.
  view.values[7] = -3.5;
  commands.QuickSaveToFile();
  EXPECT_EQ(view.answers.asked, 1);
  EXPECT_EQ(ReadPresetFile(loaded).GetValue(7), -3.5);
  EXPECT_EQ(host.status, "Saved | All values | " + loaded);

  std::string other = dir.File("other.cvp");
  view.answers.queue = {other};
  commands.SaveToFile();
  EXPECT_EQ(commands.QuickFileName(), other);
  EXPECT_EQ(ReadPresetFile(other).GetValue(7), -3.5);

  // Quick load reloads the file last loaded, without asking.
  WritePresetFile(loaded, Preset(2));
  commands.QuickLoadFromFile();
  EXPECT_EQ(view.answers.asked, 2);
  ExpectShown(Preset(2));
  EXPECT_EQ(host.status, "Loaded | All values | " + loaded);
}

TEST_F(PresetEditorCommandsTest, TheStartQuickLoadsAPresetFileOrElseTheRegistrysWorkingPreset) {
  std::string start = File("start.cvp", Preset(1));
  commands.Start(true, start);
  ExpectShown(Preset(1));
  EXPECT_EQ(commands.QuickLoadFileName(), start);
  EXPECT_EQ(commands.QuickFileName(), "") << "a quick save still asks";
  commands.QuickLoadFromFile();
  EXPECT_EQ(view.answers.asked, 0);

  WriteWorkParam(3, 99);
  PresetEditorCommands plain(host, view);
  plain.Start(false, start);
  for (int n = 1; n <= kParamCount; ++n) EXPECT_EQ(view.values[size_t(n)], n == 3 ? 99 : ParamDefault(n)) << n;
  EXPECT_EQ(host.status, "Loaded | All values | Preset from registry");
}

// The resume runs in a destructor, which must not raise: it is logged.
TEST_F(PresetEditorCommandsTest, AResumeThatRaisesIsLogged) {
  test::ScopedErrorLog log;
  host.resumeRaises = true;
  view.answers.queue.push_back(std::nullopt);
  commands.QuickSaveToFile();
  EXPECT_NE(log.Contents().find("resume refused"), std::string::npos) << log.Contents();
}

TEST_F(PresetEditorCommandsTest, FailingFilesShowTheSystemsMessageKeepWhatWasAppliedAndResume) {
  commands.Default();
  std::string missing = dir.File("missing.cvp");
  view.answers.queue = {missing};
  commands.LoadFromFile();
  ASSERT_EQ(test::MessageBoxes().size(), 1u);
  EXPECT_EQ(test::MessageBoxes()[0].text, test::Raised<EFileError>([&] { ReadPresetFile(missing); }));
  EXPECT_EQ(view.values[2], ParamDefault(2)) << "the earlier values stay";
  EXPECT_EQ(host.status, "Loaded | All values | Default preset");

  // A value past the number format cannot be written at all: the file is left alone.
  std::string good = File("good.cvp", Preset(0));
  view.values[10] = 1e20;
  view.answers.queue = {good};
  commands.SaveToFile();
  ASSERT_EQ(test::MessageBoxes().size(), 2u);
  EXPECT_EQ(test::MessageBoxes()[1].text, test::Raised<EConvertError>([] { FloatToPresetText(1e20); }));
  EXPECT_EQ(ReadPresetFile(good).GetValue(10), 10);
}

TEST_F(PresetEditorCommandsTest, TheWorkingPresetRoundTripsThroughTheRegistry) {
  for (int n = 1; n <= kParamCount; ++n) view.values[size_t(n)] = n * 1.5;
  commands.SaveToReg();
  EXPECT_EQ(host.status, "Saved | All values | Preset to registry");
  view.values = {};
  commands.LoadFromReg();
  for (int n = 1; n <= kParamCount; ++n) {
    EXPECT_EQ(view.values[size_t(n)], n * 1.5) << n;
    EXPECT_EQ(host.params[size_t(n)], n * 1.5) << n;
  }
  EXPECT_EQ(host.suspends, 2);

  host.status.clear();
  {
    test::ScopedFailingWrites failing(10);  // the registry refuses the rest part-way
    commands.SaveToReg();
  }
  EXPECT_EQ(host.status, "") << "nothing is said to be saved";
  ASSERT_EQ(test::MessageBoxes().size(), 1u);
  EXPECT_EQ(test::MessageBoxes()[0].text, "The preset could not be saved to the registry.");
}

TEST_F(PresetEditorCommandsTest, AddDeleteReloadAndSelectKeepListAndRegistryInStep) {
  for (int n = 1; n <= kParamCount; ++n) WriteListParam("Zeta", n, 7);
  WriteCurrentPresetName("zeta");
  WriteRandomMode(true);
  commands.Showing();
  EXPECT_EQ(view.modes, (std::pair<bool, bool>{true, false}));
  EXPECT_FALSE(view.selectionEnabled);
  commands.DeleteFromList();  // nothing selected
  commands.ReloadFromList();
  EXPECT_EQ(StoredNames().size(), 1u);
  EXPECT_TRUE(host.sent.empty());

  std::string file = File("Alpha.cvp", Preset(0.5));
  view.answers.queue = {file};
  commands.AddFromFile();
  EXPECT_EQ(view.shownNames, (std::vector<std::string>{"Alpha", "Zeta"}));
  EXPECT_TRUE(view.selectionEnabled);
  ExpectShown(Preset(0.5));
  EXPECT_EQ(ReadStoredPreset("Alpha"), Preset(0.5));
  EXPECT_EQ(host.status, "Loaded | All values | " + file);

  commands.SelectPreset(1);
  EXPECT_EQ(host.status, "Loaded | All values | Preset from registry : Zeta");
  commands.MakeCurrentPreset();
  ASSERT_EQ(test::MessageBoxes().size(), 1u);
  EXPECT_EQ(test::MessageBoxes()[0].text, "The preset \"Zeta\" is made current.");
  EXPECT_EQ(test::MessageBoxes()[0].caption, "Information");

  // Deleting another preset keeps the current one; deleting it forgets it.
  const auto current = [] {
    std::string name = "?";
    ReadCurrentPresetName(name);
    return name;
  };
  commands.SelectPreset(0);
  commands.DeleteFromList();
  EXPECT_EQ(current(), "Zeta");
  commands.SelectPreset(0);
  view.values = {};
  commands.ReloadFromList();
  EXPECT_EQ(view.values[69], 7);
  commands.DeleteFromList();
  EXPECT_EQ(current(), "");
  EXPECT_TRUE(StoredNames().empty());
  EXPECT_FALSE(view.selectionEnabled);

  commands.ToggleRandom();
  commands.ToggleShuffle();
  bool random = true, shuffle = false;
  ReadRandomMode(random);
  ReadShuffleMode(shuffle);
  EXPECT_EQ((std::pair<bool, bool>{random, shuffle}), (std::pair<bool, bool>{false, true}));
  EXPECT_EQ(view.modes, (std::pair<bool, bool>{false, true}));
}

TEST_F(PresetEditorCommandsTest, BreedingWithTheSelectedPresetShowsTheCheckedChildAtOnce) {
  TPresetParams working = TPresetParams::Defaults(), stored = working;
  working.SetValue(1, 20);
  stored.SetValue(1, 60);
  stored.SetValue(46, 0.9);
  for (int n = 1; n <= kParamCount; ++n) {
    view.values[size_t(n)] = working.GetValue(n);
    WriteListParam("Storm", n, stored.GetValue(n));
  }
  commands.Showing();
  commands.BreedWithSelected(3);  // nothing selected
  EXPECT_TRUE(host.sent.empty());

  commands.SelectPreset(0);
  for (int n = 1; n <= kParamCount; ++n) view.values[size_t(n)] = working.GetValue(n);
  const int suspends = host.suspends;
  commands.BreedWithSelected(3);
  const ShownPreset expected = BreedShownChild(working, stored, 3);
  ASSERT_TRUE(expected.isChild);
  ExpectShown(expected.preset);
  EXPECT_EQ(host.suspends, suspends + 1) << "the picture pauses while children are measured";
  EXPECT_EQ(host.status, "Bred | All values | Working preset × Storm");

  // Parents far beyond the far plane have no child to show: the working preset stays.
  for (int n : {55, 56, 57}) {
    view.values[size_t(n)] = 1e6;
    WriteListParam("Storm", n, 1e6);
  }
  host.sent.clear();
  commands.BreedWithSelected(3);
  EXPECT_TRUE(host.sent.empty());
  EXPECT_EQ(host.status, "Unchanged | No child passed its checks | Working preset × Storm");
}

TEST_F(PresetEditorCommandsTest, RowsButtonsAndTheCameraReachThePicture) {
  commands.RowChanged(2, 3, 0.06);
  EXPECT_EQ(host.sent, (std::vector<int>{12}));
  EXPECT_EQ(host.params[12], 0.06);
  EXPECT_EQ(host.status, "Changed | ScaleDAX | -");
  commands.BlendingClicked(4);
  EXPECT_EQ(host.params[64], 4);
  EXPECT_EQ(view.values[64], 4);
  commands.MotionBlurMoved(16);
  EXPECT_EQ(host.params[69], 16);

  commands.GetXyz();
  for (int n = kFirstLookAtParam; n <= kLastLookAtParam; ++n) EXPECT_EQ(view.values[size_t(n)], n * 10.0) << n;
  EXPECT_EQ(host.status, "Changed | Look At | -");
  host.sent.clear();
  commands.LookAt();
  EXPECT_EQ(host.sent, (std::vector<int>{55}));
  EXPECT_EQ(host.params[55], 550);
  EXPECT_EQ(view.lookAtShown, 2);

  commands.DefaultButton();
  EXPECT_EQ(view.historyClears, 1);
  ExpectShown(TPresetParams::Defaults());

  commands.TransferButton([] { return false; });
  EXPECT_EQ(host.status, "Loaded | All values | Default preset");
  commands.TransferButton({});
  commands.TransferButton([] { return true; });
  EXPECT_EQ(host.status, "Loaded | All values | Preset from transfer");
}

}  // namespace
}  // namespace corvane
