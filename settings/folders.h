#pragma once
// Where the player lives and keeps its files.
#include <string>

namespace settings {

struct Folders {
  std::string ProgramFolder;      // the executable's folder, ending in "/"
  std::string ProgramName;        // the executable's name without extension
  std::string DataFolder;         // per-user folder of the player's files, ending in "/"
  std::string ConfigurationFile;  // DataFolder + ProgramName + ".ini"
};

// ProgramName from the executable's file name: the extension (with its dot) is
// removed when there is one; "tarvelino" and "TARVELINO" become "Tarvelino".
std::string programNameFromExecutable(const std::string& fileName);

// Determines the folders for an executable path. The data folder is
// $XDG_CONFIG_HOME/<ProgramName>/ (default ~/.config/<ProgramName>/), created
// with its parents; when that fails it is ProgramFolder.
Folders determineFolders(const std::string& executablePath);

// Moves the player's four files (configuration, "Presets.EQ", remembered
// settings, last playlist) from ProgramFolder into DataFolder when they exist
// only in ProgramFolder. A file is deleted from ProgramFolder only after its
// copy succeeded; existing files in DataFolder are never overwritten.
void migrateOldFiles(const Folders& folders);

// Makes the folder, or else its nearest existing parent, the current folder.
// Paths of two characters or fewer are ignored. Letter case is kept: folder
// names here are case-sensitive.
void EnterNearestFolder(const std::string& path);

}  // namespace settings
