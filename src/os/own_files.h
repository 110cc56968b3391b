#pragma once
// Where the program writes files of its own (the error log, snapshots):
// beside the program when the user may write there, otherwise a folder of
// the user's. The installed screen saver runs from the system directory,
// which an ordinary user cannot write.

#include <string>

namespace corvane {

// The folder used, given the facts; folders end in a separator. Without a
// per-user folder the program's stays, and a write there fails visibly.
std::string ChooseOwnFilesFolder(const std::string& programFolder, bool programFolderWritable,
                                 const std::string& perUserFolder);

// How a message names a file in `folder`: by its bare name beside the
// program, where the user looks for it, otherwise by its full path.
std::string ShownFileName(const std::string& folder, const std::string& programFolder, const std::string& name);

// Whether a file can be created in `folder` now: one is created and
// deleted. Attributes and access lists do not answer that reliably.
bool FolderIsWritable(const std::string& folder);

// "%LOCALAPPDATA%\Corvane\" (on other systems a folder of the user's);
// empty when unknown.
std::string PerUserFilesFolder();

// The folder chosen now from the real facts; the per-user folder is
// created (one level) when it is the one.
std::string OwnFilesFolder();

}  // namespace corvane
