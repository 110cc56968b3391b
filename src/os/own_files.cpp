#include "os/own_files.h"

#include <atomic>
#include <filesystem>

#include "os/process.h"
#include "os/text.h"

namespace corvane {

std::string ChooseOwnFilesFolder(const std::string& programFolder, bool programFolderWritable,
                                 const std::string& perUserFolder) {
  return programFolderWritable || perUserFolder.empty() ? programFolder : perUserFolder;
}

std::string ShownFileName(const std::string& folder, const std::string& programFolder, const std::string& name) {
  return folder == programFolder ? name : folder + name;
}

bool FolderIsWritable(const std::string& folder) {
  static std::atomic<unsigned> counter{0};
  return CreateAndDeleteNewFile(folder + ".corvane-write-test-" + std::to_string(CurrentProcessId()) + "-" +
                                std::to_string(counter++) + ".tmp");
}

std::string OwnFilesFolder() {
  const std::string program = ModuleDirectory();
  const std::string folder = ChooseOwnFilesFolder(program, FolderIsWritable(program), PerUserFilesFolder());
  if (folder != program) {
    std::error_code ignored;  // a failure shows up when the file is written
    std::filesystem::create_directory(Utf8Path(folder), ignored);
  }
  return folder;
}

}  // namespace corvane
