#include "presets/setup_steps.h"

#include "presets/preset_text.h"
#include "presets/registry_store.h"

namespace corvane {
namespace {

constexpr char kOk[] = "OK";
constexpr char kFailed[] = "Failed";
constexpr char kSkipped[] = "Skipped";

std::string ClassOf(const std::string& kind) { return "CorvaneScreenSaver." + kind; }

bool SetDefault(RegistryBackend& registry, const std::string& path, const std::string& text) {
  auto key = registry.OpenKey(path, true);
  return key && key->WriteValue("", RegistryType::String, text);
}

bool KeyExists(RegistryBackend& registry, const std::string& path) { return registry.OpenKey(path, false) != nullptr; }

// The removal in one registry's classes.
int RemoveAssociationIn(RegistryBackend& registry, const std::string& classes, const std::string& extension,
                        const std::string& kind) {
  std::string classPath = classes + "\\" + ClassOf(kind);
  std::string extPath = classes + "\\." + extension;
  if (!KeyExists(registry, extPath) && !KeyExists(registry, classPath)) return 1;
  std::string owner;
  {
    auto ext = registry.OpenKey(extPath, false);
    if (!ext) return 2;
    RegistryType type{};
    std::string data;
    if (ext->ReadValue("", type, data)) {
      if (type != RegistryType::String) return 2;
      owner = data;
    }
  }
  // Another program's ".ext" stays; only the name compares, as the registry does.
  if (owner.size() == ClassOf(kind).size() &&
      std::equal(owner.begin(), owner.end(), ClassOf(kind).begin(),
                 [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                             std::tolower(static_cast<unsigned char>(b)); })) {
    if (!registry.DeleteKeyTree(extPath)) return 2;
  }
  if (KeyExists(registry, classPath) && !registry.DeleteKeyTree(classPath)) return 2;
  return 0;
}

std::string OrNA(const std::string& text) { return text.empty() ? "N/A" : text; }

}  // namespace

ElevatedTask ElevatedRequest(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) return ElevatedTask::None;
  if (arguments[0] == kElevatedCopyArgument) return ElevatedTask::Copy;
  if (arguments[0] == kElevatedRemoveArgument) return ElevatedTask::Remove;
  return ElevatedTask::None;
}

std::string ShellExecuteErrorMessage(int code) {
  switch (code) {
    case 0: return "The operating system is out of memory or resources.";
    case 2: return "The specified file was not found.";
    case 3: return "The specified path was not found.";
    case 5: return "The operating system denied access to the specified file.";
    case 8: return "There was not enough memory to complete the operation.";
    case 11: return "The .exe file is invalid (non-Microsoft Win32 .exe or error in .exe image).";
    case 26: return "A sharing violation occurred.";
    case 27: return "The file name association is incomplete or invalid.";
    case 28: return "The DDE transaction could not be completed because the request timed out.";
    case 29: return "The DDE transaction failed.";
    case 30:
      return "The Dynamic Data Exchange (DDE) transaction could not be completed because other DDE transactions "
             "were being processed.";
    case 31: return "There is no application associated with the given file name extension.";
    case 32: return "The specified dynamic-link library (DLL) was not found.";
    default: return "Error code : " + std::to_string(code) + ". Unknown error.";
  }
}

std::string InstalledFile(SetupSystem& system) { return system.SystemDirectory() + "\\Corvane.scr"; }

std::string ReadCurrentScreenSaver(SetupSystem& system) {
  auto key = system.UserRegistry().OpenKey(system.DesktopKey(), false);
  RegistryType type{};
  std::string data;
  if (!key || !key->ReadValue("SCRNSAVE.EXE", type, data) || type != RegistryType::String) return {};
  return data;
}

void InstallScreenSaverApplet(SetupSystem& system, const std::string& path) {
  std::string sysDir = system.SystemDirectory();
  int code = system.ShellOpen(sysDir + "\\rundll32.exe", sysDir + "\\desk.cpl,InstallScreenSaver \"" + path + "\"",
                              sysDir);
  if (code <= 32) throw EShellExecuteError(ShellExecuteErrorMessage(code));
}

bool AssociateFileType(SetupSystem& system, int iconIndex, const std::string& extension, const std::string& kind,
                       const std::string& description) {
  RegistryBackend& registry = system.UserRegistry();
  std::string classes = system.ClassesKey() + "\\";
  std::string program = system.ProgramFile();
  std::string className = ClassOf(kind);
  bool done = SetDefault(registry, classes + className, description) &&
              SetDefault(registry, classes + className + "\\DefaultIcon", program + "," + std::to_string(iconIndex)) &&
              SetDefault(registry, classes + className + "\\shell\\open\\command",
                         "\"" + program + "\" \"%1\"") &&
              SetDefault(registry, classes + "." + extension, className);
  if (done) system.AssociationsChanged();
  return done;
}

int RemoveFileAssociation(SetupSystem& system, const std::string& extension, const std::string& kind) {
  int user = RemoveAssociationIn(system.UserRegistry(), system.ClassesKey(), extension, kind);
  // An older install wrote the machine's classes; removing them is a bonus
  // the process may not be allowed, so only a removal there counts.
  int machine = 1;
  if (RegistryBackend* registry = system.MachineRegistry())
    machine = RemoveAssociationIn(*registry, system.ClassesKey(), extension, kind);
  int result = machine == 0 && user == 1 ? 0 : user;
  if (result == 0) system.AssociationsChanged();
  return result;
}

std::vector<std::string> SetupInformationLines(SetupSystem& system) {
  std::string registryVersion;
  ReadFileVersion(registryVersion);
  std::string current = ReadCurrentScreenSaver(system);
  return {"Information",
          "",
          "Current screen saver : " + (current.empty() ? std::string("None") : current),
          "",
          "Version of this executable file      : " + OrNA(system.FileVersionText(system.ProgramFile())),
          "Version of Corvane registry entries  : " + OrNA(registryVersion),
          "Version of Corvane.scr in the SysDir : " + OrNA(system.FileVersionText(InstalledFile(system))),
          ""};
}

std::vector<std::string> RunInstall(SetupSystem& system, const std::function<void()>& presetsStored) {
  std::string copy = kFailed, presets = kFailed, saver = kFailed, association = kFailed;
  std::string program = system.ProgramFile();
  std::string installed = InstalledFile(system);
  FileOutcome outcome = system.CopyOver(program, installed);
  if (outcome == FileOutcome::AccessDenied && system.RunElevated(kElevatedCopyArgument)) outcome = FileOutcome::Ok;
  // What the elevated run did is checked, not trusted: a child that ran
  // something else answers 0 just the same.
  if (outcome == FileOutcome::Ok && system.SameContent(program, installed)) {
    copy = kOk;
    size_t cut = program.find_last_of("\\/");
    std::string directory = cut == std::string::npos ? std::string() : program.substr(0, cut);
    std::string name;
    std::vector<std::string> files = system.FindPresetFiles(directory + "\\Presets");
    for (const std::string& file : files) {
      TPresetParams values = system.ReadPreset(file);
      name = PresetNameFromFile(file);
      for (int n = 1; n <= kParamCount; ++n) WriteListParam(name, n, values.GetValue(n));
    }
    if (!files.empty()) {
      if (presetsStored) presetsStored();
      presets = kOk;
    }
    WriteFileVersion(system.FileVersionText(program));
    WriteCurrentPresetName(name);
    WriteRandomMode(true);
    WriteShuffleMode(true);
    InstallScreenSaverApplet(system, installed);
    saver = kOk;
    if (AssociateFileType(system, 1, "cvp", "Preset", "Corvane Screen Saver preset") &&
        AssociateFileType(system, 2, "cvw", "Wallpapers", "Corvane Screen Saver wallpapers list"))
      association = kOk;
  }
  bool allOk = copy == kOk && presets == kOk && saver == kOk && association == kOk;
  std::vector<std::string> report = {"Installation started",
                                     "",
                                     "Copying Corvane.scr to the SysDir         : " + copy,
                                     "Saving the presets to the registry        : " + presets,
                                     "Making Corvane.scr a current screen saver : " + saver,
                                     "Creating a file association               : " + association,
                                     "",
                                     allOk ? "Installation completed" : "Installation failed",
                                     ""};
  WriteShowSetup(false);
  return report;
}

bool SetupOpensByItself() {
  bool showSetup = false;
  return !RegistryEntriesExist() || (ReadShowSetup(showSetup) && showSetup);
}

std::vector<std::string> RunRemove(SetupSystem& system) {
  std::string file = kFailed, registry = kFailed, saver = kFailed, association = kFailed;
  std::string installed = InstalledFile(system);
  if (!system.FileExists(installed)) {
    file = kSkipped;
  } else {
    FileOutcome outcome = system.RemoveFile(installed);
    if (outcome == FileOutcome::AccessDenied && system.RunElevated(kElevatedRemoveArgument))
      outcome = FileOutcome::Ok;
    if (outcome == FileOutcome::Ok && !system.FileExists(installed)) file = kOk;
  }
  if (!RegistryEntriesExist()) registry = kSkipped;
  else if (DeleteRegistryEntries()) registry = kOk;
  std::string current = ReadCurrentScreenSaver(system);
  size_t slash = current.find_last_of("\\/:");
  if (current.substr(slash == std::string::npos ? 0 : slash + 1) != "Corvane.scr") {
    saver = kSkipped;
  } else {
    InstallScreenSaverApplet(system, "");
    saver = kOk;
  }
  int a = RemoveFileAssociation(system, "cvp", "Preset");
  int b = RemoveFileAssociation(system, "cvw", "Wallpapers");
  if ((a == 0 && b <= 1) || (a == 1 && b == 0)) association = kOk;
  else if (a == 1 && b == 1) association = kSkipped;
  bool failed = file == kFailed || registry == kFailed || saver == kFailed || association == kFailed;
  return {"Uninstallation started",
          "",
          "Deleting Corvane.scr from the SysDir     : " + file,
          "Deleting Corvane registry entries        : " + registry,
          "Setting the current screen saver to none : " + saver,
          "Removing a file association              : " + association,
          "",
          failed ? "Uninstallation failed" : "Uninstallation completed",
          ""};
}

}  // namespace corvane
