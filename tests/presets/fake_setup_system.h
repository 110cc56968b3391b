#pragma once
// A system for "Install" and "Remove" whose files live in a map and whose
// copy, elevation and shell results are set by the test. The registries are
// the test's: a MemoryRegistry, or the real one below a key of its own.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "presets/preset_text.h"
#include "presets/setup_steps.h"

namespace corvane::test {

class FakeSetupSystem : public SetupSystem {
 public:
  FakeSetupSystem(RegistryBackend& user, std::string keyPrefix = {}) : user_(user), prefix_(std::move(keyPrefix)) {
    files[kProgram] = "program";
  }

  static constexpr char kProgram[] = "C:\\Apps\\Corvane\\Corvane.scr";
  static constexpr char kSysDir[] = "C:\\Windows\\system32";
  static constexpr char kPresetDir[] = "C:\\Apps\\Corvane\\Presets\\";

  std::map<std::string, std::string> files;  // path to content
  std::set<std::string> unreadable;
  FileOutcome copyOutcome = FileOutcome::Ok;
  FileOutcome removeOutcome = FileOutcome::Ok;
  bool elevationGranted = true;
  bool elevatedChildWorks = true;  // false: it answers 0 having done nothing
  std::vector<std::string> elevatedRuns;  // their arguments
  int shellResult = 42;
  std::vector<std::string> shellParameters;
  int associationNotices = 0;
  RegistryBackend* machine = nullptr;

  std::string ProgramFile() override { return kProgram; }
  std::string SystemDirectory() override { return kSysDir; }
  FileOutcome CopyOver(const std::string& from, const std::string& to) override {
    if (copyOutcome == FileOutcome::Ok) files[to] = files.at(from);
    return copyOutcome;
  }
  bool RunElevated(const std::string& argument) override {
    elevatedRuns.push_back(argument);
    if (elevationGranted && elevatedChildWorks && argument == kElevatedCopyArgument)
      files[InstalledFile(*this)] = files.at(kProgram);
    if (elevationGranted && elevatedChildWorks && argument == kElevatedRemoveArgument)
      files.erase(InstalledFile(*this));
    return elevationGranted;
  }
  bool SameContent(const std::string& first, const std::string& second) override {
    return files.count(first) && files.count(second) && files.at(first) == files.at(second);
  }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  FileOutcome RemoveFile(const std::string& path) override {
    if (removeOutcome != FileOutcome::Ok) return removeOutcome;
    return files.erase(path) ? FileOutcome::Ok : FileOutcome::Failed;
  }
  std::vector<std::string> FindPresetFiles(const std::string& directory) override {
    std::vector<std::string> found;
    for (const auto& [path, content] : files)
      if (path.rfind(directory + "\\", 0) == 0 && path.size() > 4 && path.substr(path.size() - 4) == ".cvp")
        found.push_back(path);
    return found;
  }
  TPresetParams ReadPreset(const std::string& path) override {
    if (unreadable.count(path)) throw EFileError("Cannot open file \"" + path + "\". Access is denied");
    return ParsePresetFileText(files.at(path));
  }
  std::string FileVersionText(const std::string& path) override { return files.count(path) ? "1.0.0.1" : ""; }
  int ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory) override {
    shellParameters.push_back(parameters);
    return shellResult;
  }
  void AssociationsChanged() override { ++associationNotices; }
  RegistryBackend& UserRegistry() override { return user_; }
  RegistryBackend* MachineRegistry() override { return machine; }
  std::string ClassesKey() override { return prefix_ + "Software\\Classes"; }
  std::string DesktopKey() override { return prefix_ + "Control Panel\\Desktop"; }

  void SetCurrentSaver(const std::string& path) {
    user_.OpenKey(DesktopKey(), true)->WriteValue("SCRNSAVE.EXE", RegistryType::String, path);
  }
  std::string DefaultOf(RegistryBackend& registry, const std::string& key) {
    auto opened = registry.OpenKey(ClassesKey() + "\\" + key, false);
    RegistryType type{};
    std::string data;
    return opened && opened->ReadValue("", type, data) ? data : "<none>";
  }

 private:
  RegistryBackend& user_;
  std::string prefix_;
};

}  // namespace corvane::test
