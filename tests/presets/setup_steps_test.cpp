#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "fake_setup_system.h"
#include "presets/memory_registry.h"
#include "presets/registry_store.h"
#include "test_registry.h"

namespace corvane {
namespace {

using test::FakeSetupSystem;

using Words = std::array<const char*, 4>;
const Words kInstallLabels = {"Copying Corvane.scr to the SysDir         : ",
                              "Saving the presets to the registry        : ",
                              "Making Corvane.scr a current screen saver : ",
                              "Creating a file association               : "};
const Words kRemoveLabels = {"Deleting Corvane.scr from the SysDir     : ",
                             "Deleting Corvane registry entries        : ",
                             "Setting the current screen saver to none : ",
                             "Removing a file association              : "};

std::vector<std::string> Report(const char* title, const Words& labels, const Words& results, const char* last) {
  std::vector<std::string> lines = {std::string(title) + " started", ""};
  for (size_t i = 0; i < labels.size(); ++i) lines.push_back(std::string(labels[i]) + results[i]);
  lines.insert(lines.end(), {"", last, ""});
  return lines;
}
std::vector<std::string> InstallReport(const char* copy, const char* presets, const char* saver, const char* assoc,
                                       const char* last) {
  return Report("Installation", kInstallLabels, {copy, presets, saver, assoc}, last);
}
std::vector<std::string> RemoveReport(const char* file, const char* registry, const char* saver, const char* assoc,
                                      const char* last) {
  return Report("Uninstallation", kRemoveLabels, {file, registry, saver, assoc}, last);
}

std::string PresetText(double first) {
  TPresetParams preset = TPresetParams::Defaults();
  preset.SetValue(1, first);
  return PresetFileText(preset);
}

class SetupStepsTest : public ::testing::Test {
 protected:
  double Stored(const std::string& name, int n) {
    double value = -1;
    EXPECT_TRUE(ReadListParam(name, n, value)) << name << " " << n;
    return value;
  }
  MemoryRegistry memory_;
  test::ScopedTestRegistry registry_{memory_};
  FakeSetupSystem system_{memory_};
  std::string installed_ = std::string(FakeSetupSystem::kSysDir) + "\\Corvane.scr";
};

TEST_F(SetupStepsTest, InstallStoresEverythingAndRemoveUndoesItThenSkips) {
  system_.files[std::string(FakeSetupSystem::kPresetDir) + "Alpha.cvp"] = PresetText(3.5);
  system_.files[std::string(FakeSetupSystem::kPresetDir) + "Beta.cvp"] = PresetText(-2);
  system_.files[std::string(FakeSetupSystem::kPresetDir) + "notes.txt"] = "not a preset";
  int refills = 0;
  EXPECT_EQ(RunInstall(system_, [&] { ++refills; }), InstallReport("OK", "OK", "OK", "OK", "Installation completed"));
  EXPECT_EQ(refills, 1);
  EXPECT_EQ(system_.files.at(installed_), "program");
  EXPECT_TRUE(system_.elevatedRuns.empty());
  EXPECT_EQ(Stored("Alpha", 1), 3.5);
  EXPECT_EQ(Stored("Beta", 1), -2);
  EXPECT_EQ(Stored("Beta", 69), TPresetParams::Defaults().GetValue(69));
  std::vector<std::string> names;
  ListPresetNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta"}));
  std::string name, version;
  bool random = false, shuffle = false, showSetup = true;
  EXPECT_TRUE(ReadCurrentPresetName(name) && ReadRandomMode(random) && ReadShuffleMode(shuffle) &&
              ReadShowSetup(showSetup) && ReadFileVersion(version));
  EXPECT_EQ(name, "Beta");
  EXPECT_TRUE(random && shuffle && !showSetup);
  EXPECT_EQ(version, "1.0.0.1");
  EXPECT_EQ(system_.shellParameters,
            std::vector<std::string>{"C:\\Windows\\system32\\desk.cpl,InstallScreenSaver \"" + installed_ + "\""});
  // The file types point at the program that ran "Install".
  EXPECT_EQ(system_.DefaultOf(memory_, ".cvp"), "CorvaneScreenSaver.Preset");
  EXPECT_EQ(system_.DefaultOf(memory_, ".cvw"), "CorvaneScreenSaver.Wallpapers");
  EXPECT_EQ(system_.DefaultOf(memory_, "CorvaneScreenSaver.Wallpapers"), "Corvane Screen Saver wallpapers list");
  EXPECT_EQ(system_.DefaultOf(memory_, "CorvaneScreenSaver.Preset\\DefaultIcon"), "C:\\Apps\\Corvane\\Corvane.scr,1");
  EXPECT_EQ(system_.DefaultOf(memory_, "CorvaneScreenSaver.Wallpapers\\shell\\open\\command"),
            "\"C:\\Apps\\Corvane\\Corvane.scr\" \"%1\"");

  system_.SetCurrentSaver(installed_);
  EXPECT_EQ(RunRemove(system_), RemoveReport("OK", "OK", "OK", "OK", "Uninstallation completed"));
  EXPECT_EQ(system_.shellParameters.back(), "C:\\Windows\\system32\\desk.cpl,InstallScreenSaver \"\"");
  EXPECT_FALSE(system_.FileExists(installed_));
  EXPECT_FALSE(RegistryEntriesExist());
  for (const char* key : {".cvp", ".cvw", "CorvaneScreenSaver.Preset", "CorvaneScreenSaver.Wallpapers"})
    EXPECT_EQ(memory_.OpenKey(system_.ClassesKey() + "\\" + key, false), nullptr) << key;

  // The control panel still names the deleted file until the user changes it.
  EXPECT_EQ(RunRemove(system_), RemoveReport("Skipped", "Skipped", "OK", "Skipped", "Uninstallation completed"));
  system_.SetCurrentSaver("");
  EXPECT_EQ(RunRemove(system_), RemoveReport("Skipped", "Skipped", "Skipped", "Skipped", "Uninstallation completed"));
}

TEST_F(SetupStepsTest, FileOutcomesAndElevation) {
  struct Case {
    FileOutcome outcome;
    bool granted;
    bool childWorks;
    const char* stale;  // an older file in the system directory, or none
    size_t elevatedRuns;
    const char* copy;
  } cases[] = {
      {FileOutcome::Ok, false, true, nullptr, 0, "OK"},
      {FileOutcome::AccessDenied, true, true, "old", 1, "OK"},
      {FileOutcome::AccessDenied, false, true, nullptr, 1, "Failed"},  // the prompt was refused
      {FileOutcome::Failed, true, true, nullptr, 0, "Failed"},         // only access denied asks for elevation
      // The child answered 0 but copied nothing: the check finds no copy, or an old one.
      {FileOutcome::AccessDenied, true, false, nullptr, 1, "Failed"},
      {FileOutcome::AccessDenied, true, false, "old", 1, "Failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.copy + std::to_string(c.elevatedRuns) + (c.stale ? c.stale : ""));
    FakeSetupSystem system(memory_);
    system.copyOutcome = c.outcome;
    system.elevationGranted = c.granted;
    system.elevatedChildWorks = c.childWorks;
    if (c.stale) system.files[installed_] = c.stale;
    std::vector<std::string> report = RunInstall(system);
    EXPECT_EQ(system.elevatedRuns, std::vector<std::string>(c.elevatedRuns, kElevatedCopyArgument));
    if (std::string(c.copy) == "OK") {
      // No "Presets" folder: the presets line fails, the name is written empty.
      EXPECT_EQ(report, InstallReport("OK", "Failed", "OK", "OK", "Installation failed"));
      std::string name = "stale";
      bool random = false, shuffle = false;
      EXPECT_TRUE(ReadCurrentPresetName(name) && ReadRandomMode(random) && ReadShuffleMode(shuffle));
      EXPECT_EQ(name, "");
      EXPECT_TRUE(random && shuffle);
    } else {
      // A failed copy skips every later step.
      EXPECT_EQ(report, InstallReport("Failed", "Failed", "Failed", "Failed", "Installation failed"));
      EXPECT_TRUE(system.shellParameters.empty());
      EXPECT_EQ(memory_.OpenKey(system.ClassesKey() + "\\.cvp", false), nullptr);
    }
    memory_.DeleteKeyTree(system.ClassesKey());
    DeleteRegistryEntries();
  }
}

TEST_F(SetupStepsTest, DamagedPresetValuesStoreZeroAndFuzzedFilesNeverCrash) {
  std::string text = PresetText(7);
  std::string damaged = text;
  damaged.replace(damaged.find('=') + 1, damaged.find("\r\n") - damaged.find('=') - 1, "1.2.3x");
  system_.files[std::string(FakeSetupSystem::kPresetDir) + "Damaged.cvp"] = damaged;
  ASSERT_EQ(RunInstall(system_).back(), "");
  EXPECT_EQ(Stored("Damaged", 1), 0.0);
  EXPECT_EQ(Stored("Damaged", 2), TPresetParams::Defaults().GetValue(2));

  std::mt19937 generator(20261206);
  for (int round = 0; round < 200; ++round) {
    std::string fuzzed = text;
    for (int flips = 0; flips < 1 + round % 40; ++flips)
      fuzzed[generator() % fuzzed.size()] = static_cast<char>(generator() % 256);
    if (round % 7 == 0) fuzzed.resize(generator() % fuzzed.size());
    system_.files[std::string(FakeSetupSystem::kPresetDir) + "Damaged.cvp"] = fuzzed;
    ASSERT_NO_THROW(RunInstall(system_)) << round;
    for (int n = 1; n <= kParamCount; ++n) ASSERT_TRUE(std::isfinite(Stored("Damaged", n))) << round << " " << n;
  }
}

TEST_F(SetupStepsTest, FailuresThatAbandonTheRunAddNoReport) {
  system_.files[std::string(FakeSetupSystem::kPresetDir) + "Locked.cvp"] = PresetText(1);
  system_.unreadable.insert(std::string(FakeSetupSystem::kPresetDir) + "Locked.cvp");
  EXPECT_THROW(RunInstall(system_), EFileError);
  EXPECT_TRUE(system_.shellParameters.empty());

  system_.unreadable.clear();
  system_.shellResult = 2;
  try {
    RunInstall(system_);
    ADD_FAILURE() << "no error for the failed applet";
  } catch (const EShellExecuteError& e) {
    EXPECT_STREQ(e.what(), "The specified file was not found.");
  }
  EXPECT_EQ(memory_.OpenKey(system_.ClassesKey() + "\\.cvp", false), nullptr);
  system_.SetCurrentSaver("C:\\Windows\\system32\\Corvane.scr");
  EXPECT_THROW(RunRemove(system_), EShellExecuteError);
}

TEST(ShellExecuteError, MessagesByCode) {
  EXPECT_EQ(ShellExecuteErrorMessage(0), "The operating system is out of memory or resources.");
  EXPECT_EQ(ShellExecuteErrorMessage(31), "There is no application associated with the given file name extension.");
  EXPECT_EQ(ShellExecuteErrorMessage(7), "Error code : 7. Unknown error.");
  MemoryRegistry memory;
  FakeSetupSystem system(memory);
  for (int code : {0, 5, 32, 33}) {
    system.shellResult = code;
    if (code <= 32) EXPECT_THROW(InstallScreenSaverApplet(system, "x"), EShellExecuteError) << code;
    else EXPECT_NO_THROW(InstallScreenSaverApplet(system, "x"));
  }
}

// Refuses every deletion, as the machine's classes do for an ordinary user.
class LockedRegistry : public MemoryRegistry {
 public:
  bool DeleteKeyTree(const std::string&) override { return false; }
};

TEST_F(SetupStepsTest, AssociationsOfOthersAndOfOlderInstalls) {
  ASSERT_TRUE(AssociateFileType(system_, 1, "cvp", "Preset", "Corvane Screen Saver preset"));
  memory_.OpenKey(system_.ClassesKey() + "\\.cvp", true)->WriteValue("", RegistryType::String, "Other.Document");
  EXPECT_EQ(RemoveFileAssociation(system_, "cvp", "Preset"), 0);
  EXPECT_EQ(system_.DefaultOf(memory_, ".cvp"), "Other.Document");
  EXPECT_EQ(memory_.OpenKey(system_.ClassesKey() + "\\CorvaneScreenSaver.Preset", false), nullptr);
  // A default value that is not text cannot be compared: a failure.
  memory_.OpenKey(system_.ClassesKey() + "\\.cvp", true)->WriteValue("", RegistryType::Dword, std::string(4, '\1'));
  EXPECT_EQ(RemoveFileAssociation(system_, "cvp", "Preset"), 2);
  memory_.DeleteKeyTree(system_.ClassesKey());

  // An older install's machine-wide keys go when the process may delete them,
  // and are left without failing when it may not.
  MemoryRegistry machine;
  LockedRegistry locked;
  for (MemoryRegistry* registry : {static_cast<MemoryRegistry*>(&machine), static_cast<MemoryRegistry*>(&locked)}) {
    system_.machine = registry;
    FakeSetupSystem old(*registry);
    ASSERT_TRUE(AssociateFileType(old, 2, "cvw", "Wallpapers", "list"));
    EXPECT_EQ(RunRemove(system_)[5],
              std::string("Removing a file association              : ") + (registry == &machine ? "OK" : "Skipped"));
    EXPECT_EQ(registry->OpenKey(system_.ClassesKey() + "\\.cvw", false) == nullptr, registry == &machine);
  }
}

TEST_F(SetupStepsTest, CurrentSaverAndInformation) {
  EXPECT_EQ(SetupInformationLines(system_),
            (std::vector<std::string>{"Information", "", "Current screen saver : None", "",
                                      "Version of this executable file      : 1.0.0.1",
                                      "Version of Corvane registry entries  : N/A",
                                      "Version of Corvane.scr in the SysDir : N/A", ""}));
  // Only the exact file name counts as ours.
  for (const char* saver : {"C:\\WINDOWS\\SYSTEM32\\CORVANE.SCR", "Corvane.scr.old", "C:\\x\\corvane.scr"}) {
    system_.SetCurrentSaver(saver);
    EXPECT_EQ(RunRemove(system_)[4], "Setting the current screen saver to none : Skipped") << saver;
    EXPECT_EQ(SetupInformationLines(system_)[2], std::string("Current screen saver : ") + saver);
  }
  system_.SetCurrentSaver("D:\\Corvane.scr");
  EXPECT_EQ(RunRemove(system_)[4], "Setting the current screen saver to none : OK");
}

TEST_F(SetupStepsTest, SetupOpensByItselfWhileTheKeyIsMissingOrShowSetupIsOn) {
  EXPECT_TRUE(SetupOpensByItself()) << "never installed";
  struct Case {
    RegistryType type;
    std::string data;
    bool opens;
  };
  for (const Case& c : std::vector<Case>{{RegistryType::Dword, std::string("\x01\0\0\0", 4), true},
                                         {RegistryType::Dword, std::string("\0\0\0\0", 4), false},
                                         {RegistryType::String, "1", false}}) {
    ASSERT_TRUE(registry_.WriteRaw("", "ShowSetup", c.type, c.data));
    EXPECT_EQ(SetupOpensByItself(), c.opens) << c.data.size();
  }
  memory_.DeleteKeyTree(registry_.Root());
  ASSERT_TRUE(WriteRandomMode(true));
  EXPECT_FALSE(SetupOpensByItself()) << "a key without ShowSetup";

  RunInstall(system_);
  EXPECT_FALSE(SetupOpensByItself()) << "after Install";
  ASSERT_TRUE(WriteShowSetup(true));
  EXPECT_TRUE(SetupOpensByItself()) << "the check box cleared again";
  RunRemove(system_);
  EXPECT_TRUE(SetupOpensByItself()) << "after Remove";
}

TEST_F(SetupStepsTest, RemoveTakesTheElevatedRoadOnlyWhenDeniedAndChecksTheFileIsGone) {
  struct Case {
    FileOutcome outcome;
    bool granted;
    bool childWorks;
    size_t elevatedRuns;
    const char* file;
  } cases[] = {
      {FileOutcome::AccessDenied, true, true, 1, "OK"},
      {FileOutcome::AccessDenied, false, true, 1, "Failed"},  // the prompt was refused
      {FileOutcome::AccessDenied, true, false, 1, "Failed"},  // answered 0, deleted nothing
      {FileOutcome::Failed, true, true, 0, "Failed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + std::to_string(c.elevatedRuns) + (c.childWorks ? "" : " idle child"));
    FakeSetupSystem system(memory_);
    system.files[installed_] = "program";
    system.removeOutcome = c.outcome;
    system.elevationGranted = c.granted;
    system.elevatedChildWorks = c.childWorks;
    EXPECT_EQ(RunRemove(system)[2], std::string(kRemoveLabels[0]) + c.file);
    EXPECT_EQ(system.elevatedRuns, std::vector<std::string>(c.elevatedRuns, kElevatedRemoveArgument));
    EXPECT_EQ(system.FileExists(installed_), std::string(c.file) != "OK");
  }
}

TEST(ElevatedRequest, OnlyAnExactArgumentAlone) {
  EXPECT_EQ(ElevatedRequest({kElevatedCopyArgument}), ElevatedTask::Copy);
  EXPECT_EQ(ElevatedRequest({kElevatedRemoveArgument}), ElevatedTask::Remove);
  for (std::string arg : {kElevatedCopyArgument, kElevatedRemoveArgument}) {
    std::string upper = arg;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {}, {upper}, {arg + " "}, {arg, "C:\\x.scr"}, {"/s", arg}, {arg + "x"}, {arg, arg}})
      EXPECT_EQ(ElevatedRequest(arguments), ElevatedTask::None) << arg << " " << arguments.size();
  }
}

}  // namespace
}  // namespace corvane
