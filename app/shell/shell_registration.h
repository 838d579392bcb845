#pragma once
// The player as the user's handler of its movie and playlist files on a
// freedesktop system. The Windows registry layout lives on in a per-user key
// store (KeyStore: the extension keys with their backups and the shell command
// keys); the effective state is what the desktop reads:
// - $XDG_DATA_HOME/applications: "<name>.desktop" (the play command, Exec
//   "<exe>" %F, the file class), a hidden enqueue entry ("/AddFile %f") and
//   the folder play and enqueue entries for inode/directory, which are only
//   ever offered, never made default;
// - $XDG_CONFIG_HOME/mimeapps.list: the default application per MIME type,
//   edited line by line and written atomically;
// - $XDG_DATA_HOME/mime/packages/<name>.xml: the player's private types;
// - the icon in the user's hicolor theme.
// Nothing is ever written outside the user's own folders. Plain C++;
// interface thread only.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/shell/file_types.h"
#include "app/shell/key_store.h"
#include "app/shell/mimeapps.h"

namespace shell {

struct ShellContext {
  std::string ProgramName;     // e.g. "Tarvelino"
  std::string executablePath;  // the running program's full path
  std::string storeFile;       // DataFolder + ProgramName + ".reg"
  XdgFolders xdg;
  std::string iconPng;  // the program's icon as PNG bytes; empty: no icon
  // The extensions whose types the play entry offers and the package defines.
  std::vector<std::string> extensionList;
  // Runs a tool (argv[0] looked up in PATH) and returns whether it ran and
  // succeeded. Empty: the tools are run as child processes.
  std::function<bool(const std::vector<std::string>& argv)> runTool;
};

class ShellRegistration {
 public:
  explicit ShellRegistration(ShellContext context);

  // True when the desktop's effective default for the extension's type is the
  // player's play entry (not what the store says). Any error gives false.
  bool GetRegExt(const std::string& extension);
  // Associates the extension: keeps the previous default as the backup (when
  // it is another program's), makes the play entry the type's default and
  // records the key. True when the association is in effect afterwards.
  bool SetRegExt(const std::string& extension);
  // Gives the type back to the backed-up program (or to no default of ours).
  // True when the player is no longer the default afterwards.
  bool RemRegExt(const std::string& extension);
  // True when the play entry exists and its Exec line is this program's.
  bool ShellVerbsPresent();
  // Removes the enqueue and folder entries; the play entry stays while any
  // type is still associated with it, so an associated file always opens.
  void DeleteShellVerbs();
  // Writes the play, enqueue and folder entries, their keys and the icon.
  void WriteShellVerbs();
  // The association-changed notice: rebuilds the desktop entry cache and the
  // user MIME database when files of ours changed since the last notice.
  void NotifyAssociationsChanged();

  // The App Paths counterpart: the play entry (no default changed), the MIME
  // package and the icon, so that the desktop knows the program.
  void Install();
  // Removes every file of ours that no association needs any more: the play
  // entry, the package and the icon when nothing is associated.
  void RemoveProgramFiles();

  // Set when a write failed; the caller reports and clears it.
  bool RegistryFailed = false;

  const ShellContext& context() const { return context_; }
  std::string desktopId() const;
  std::string fileClass() const { return context_.ProgramName + ".File"; }
  std::string backupName() const { return context_.ProgramName + "FileBak"; }
  FileType typeOf(const std::string& extension);
  std::string playCommand() const;
  std::string applicationsFolder() const { return context_.xdg.dataHome + "/applications"; }
  std::string mimeappsPath() const { return context_.xdg.configHome + "/mimeapps.list"; }
  std::string packagePath() const;
  std::string iconPath() const;
  KeyStore& store() { return store_; }
  // The configuration's extension list changed (the dialog's Apply).
  void setExtensionList(std::vector<std::string> list) { context_.extensionList = std::move(list); }

 private:
  std::string lowerName() const;
  std::string entryPath(const std::string& id) const;
  bool writeIfChanged(const std::string& path, const std::string& bytes);
  // Writes the default-application list when it changed from before.
  bool writeMimeapps(const std::string& before, const std::string& updated);
  bool removeFile(const std::string& path);
  bool readMimeapps(std::string& text);
  bool writePlayEntry();
  bool writePackage();
  bool anyAssociated();
  std::vector<std::string> offeredTypes();
  bool saveStore();
  void fail() { RegistryFailed = true; }

  ShellContext context_;
  KeyStore store_;
  bool storeReadable_ = true;
  bool changed_ = false;
  std::map<std::string, FileType> types_;
};

// The context for this user from the environment's XDG folders.
ShellContext makeShellContext(const std::string& ProgramName, const std::string& executablePath,
                              const std::string& DataFolder,
                              const std::vector<std::string>& extensionList);

}  // namespace shell
