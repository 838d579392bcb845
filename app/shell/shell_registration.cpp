#include "app/shell/shell_registration.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "settings/atomic_file.h"
#include "settings/settings.h"
#include "app/shell/desktop_entry.h"

extern char** environ;

namespace shell {

namespace fs = std::filesystem;

namespace {

// A child process with its output discarded; true when it exited with 0.
bool runChild(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string extensionKey(const std::string& extension) {
  return "\\." + extension;
}

}  // namespace

ShellRegistration::ShellRegistration(ShellContext context) : context_(std::move(context)) {
  storeReadable_ = store_.load(context_.storeFile);
  if (!context_.runTool) context_.runTool = runChild;
}

std::string ShellRegistration::lowerName() const {
  std::string n = context_.ProgramName;
  for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return n;
}

std::string ShellRegistration::desktopId() const {
  return lowerName() + ".desktop";
}

std::string ShellRegistration::entryPath(const std::string& id) const {
  return applicationsFolder() + "/" + id;
}

std::string ShellRegistration::packagePath() const {
  return context_.xdg.dataHome + "/mime/packages/" + lowerName() + ".xml";
}

std::string ShellRegistration::iconPath() const {
  return context_.xdg.dataHome + "/icons/hicolor/64x64/apps/" + lowerName() + ".png";
}

std::string ShellRegistration::playCommand() const {
  return quoteExecArgument(context_.executablePath) + " %F";
}

FileType ShellRegistration::typeOf(const std::string& extension) {
  auto it = types_.find(extension);
  if (it != types_.end()) return it->second;
  std::vector<std::string> dirs = context_.xdg.dataDirs;
  dirs.insert(dirs.begin(), context_.xdg.dataHome);
  const std::string standard =
      standardTypeForExtension(extension, dirs, context_.ProgramName).value_or("");
  return types_[extension] = fileTypeFor(extension, context_.ProgramName, standard);
}

bool ShellRegistration::writeIfChanged(const std::string& path, const std::string& bytes) {
  std::string old;
  if (settings::readWholeFile(path, old) && old == bytes && fs::exists(path)) return true;
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  if (!settings::writeFileAtomically(path, bytes)) return false;
  changed_ = true;
  return true;
}

bool ShellRegistration::removeFile(const std::string& path) {
  std::error_code ec;
  if (fs::remove(path, ec)) changed_ = true;
  return !ec;
}

bool ShellRegistration::readMimeapps(std::string& text) {
  return settings::readWholeFile(mimeappsPath(), text);
}

bool ShellRegistration::writeMimeapps(const std::string& before, const std::string& updated) {
  if (updated == before) return true;
  // Through a symbolic link the list's real file is replaced, not the link. A
  // list that does not exist yet (a new profile) is simply created: the status
  // of a missing file reports an error code that is no failure here.
  std::error_code ec;
  std::string target = mimeappsPath();
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    target = fs::canonical(target, ec).string();
    if (ec) return false;
  }
  return writeIfChanged(target, updated);
}

bool ShellRegistration::saveStore() {
  // A store that could not be read is never written over.
  if (!storeReadable_ || !store_.save()) {
    fail();
    return false;
  }
  return true;
}

std::vector<std::string> ShellRegistration::offeredTypes() {
  std::vector<std::string> types;
  std::vector<std::string> extensions = context_.extensionList;
  extensions.push_back("mpl");
  for (const std::string& e : extensions) {
    if (!validExtension(e)) continue;
    const std::string mime = typeOf(e).mime;
    if (std::find(types.begin(), types.end(), mime) == types.end()) types.push_back(mime);
  }
  return types;
}

bool ShellRegistration::writePlayEntry() {
  DesktopEntry e;
  e.name = context_.ProgramName;
  e.comment = "Play in " + context_.ProgramName;
  e.exec = playCommand();
  e.icon = lowerName();
  e.mimeTypes = offeredTypes();
  return writeIfChanged(entryPath(desktopId()), desktopEntryText(e));
}

bool ShellRegistration::writePackage() {
  std::vector<FileType> types;
  std::vector<std::string> extensions = settings::builtInExtensions();
  extensions.insert(extensions.end(), context_.extensionList.begin(), context_.extensionList.end());
  extensions.push_back("mpl");
  std::vector<std::string> seen;
  for (const std::string& e : extensions) {
    if (!validExtension(e)) continue;
    FileType t = typeOf(e);
    if (!t.privateType || std::find(seen.begin(), seen.end(), t.mime) != seen.end()) continue;
    seen.push_back(t.mime);
    types.push_back(t);
  }
  return writeIfChanged(packagePath(), mimePackageXml(types));
}

bool ShellRegistration::GetRegExt(const std::string& extension) {
  if (!validExtension(extension)) return false;
  const std::optional<std::string> id = effectiveDefault(context_.xdg, typeOf(extension).mime);
  return id && *id == desktopId();
}

bool ShellRegistration::SetRegExt(const std::string& extension) {
  if (!validExtension(extension)) return false;
  const FileType type = typeOf(extension);
  // The default must name an installed entry whose command opens the file.
  if ((type.privateType && !writePackage()) || !writePlayEntry()) {
    fail();
    return false;
  }
  std::string text;
  if (!readMimeapps(text)) {  // unreadable: the user's list is never replaced
    fail();
    return false;
  }
  const std::string key = extensionKey(extension);
  const std::optional<std::string> previous = effectiveDefault(context_.xdg, type.mime);
  if (previous && !previous->empty() && *previous != desktopId())
    store_.set(key, backupName(), *previous);
  store_.set(key, "@", fileClass());
  if (!saveStore()) return false;
  const std::string updated = setDefault(text, type.mime, desktopId());
  if (!writeMimeapps(text, updated)) {
    fail();
    return false;
  }
  return GetRegExt(extension);
}

bool ShellRegistration::RemRegExt(const std::string& extension) {
  if (!validExtension(extension)) return false;
  const FileType type = typeOf(extension);
  std::string text;
  if (!readMimeapps(text)) {
    fail();
    return false;
  }
  const std::string key = extensionKey(extension);
  const std::string backup = store_.get(key, backupName()).value_or("");
  // The ids that followed ours in the list come back by themselves; the backup
  // is put first only when nothing else would give the type back to it.
  std::string updated = removeDefault(text, type.mime, desktopId(), "");
  if (!backup.empty() && listedDefaults(updated, type.mime).empty() &&
      effectiveDefault(context_.xdg, type.mime, mimeappsPath()) != backup &&
      desktopEntryInstalled(context_.xdg, backup))
    updated = removeDefault(text, type.mime, desktopId(), backup);
  if (!writeMimeapps(text, updated)) {
    fail();
    return false;
  }
  store_.erase(key, backupName());
  if (backup.empty())
    store_.eraseKey(key);
  else
    store_.set(key, "@", backup);
  saveStore();
  return !GetRegExt(extension);
}

bool ShellRegistration::ShellVerbsPresent() {
  std::string text;
  if (!settings::readWholeFile(entryPath(desktopId()), text) || text.empty()) return false;
  const std::optional<std::string> exec = desktopEntryValue(text, "Exec");
  return exec && *exec == playCommand();
}

bool ShellRegistration::anyAssociated() {
  std::vector<std::string> extensions = context_.extensionList;
  extensions.push_back("mpl");
  return std::any_of(extensions.begin(), extensions.end(),
                     [this](const std::string& e) { return GetRegExt(e); });
}

void ShellRegistration::DeleteShellVerbs() {
  const std::string n = lowerName();
  for (const char* suffix : {"-enqueue.desktop", "-folder-play.desktop", "-folder-enqueue.desktop"})
    removeFile(entryPath(n + suffix));
  if (!anyAssociated()) removeFile(entryPath(desktopId()));
  store_.eraseKey("\\" + fileClass());
  store_.eraseKey("\\Directory\\shell\\" + context_.ProgramName + ".Play");
  store_.eraseKey("\\Directory\\shell\\" + context_.ProgramName + ".Enqueue");
  if (storeReadable_) store_.save();  // errors are ignored here
}

void ShellRegistration::WriteShellVerbs() {
  const std::string n = lowerName();
  const std::string exe = quoteExecArgument(context_.executablePath);
  const std::string play = "Play in " + context_.ProgramName;
  const std::string enqueue = "Enqueue in " + context_.ProgramName;
  bool ok = writePlayEntry();
  DesktopEntry e;
  e.icon = n;
  e.noDisplay = true;
  e.name = enqueue;
  e.exec = exe + " /AddFile %f";
  e.mimeTypes = offeredTypes();
  ok = writeIfChanged(entryPath(n + "-enqueue.desktop"), desktopEntryText(e)) && ok;
  e.mimeTypes = {"inode/directory"};
  e.name = play;
  e.exec = exe + " %f";
  ok = writeIfChanged(entryPath(n + "-folder-play.desktop"), desktopEntryText(e)) && ok;
  e.name = enqueue;
  e.exec = exe + " /AddFolder %f";
  ok = writeIfChanged(entryPath(n + "-folder-enqueue.desktop"), desktopEntryText(e)) && ok;
  if (!context_.iconPng.empty()) ok = writeIfChanged(iconPath(), context_.iconPng) && ok;

  // The registry rows as the Windows layout has them, for the record.
  const std::string cls = "\\" + fileClass();
  const std::string dir = "\\Directory\\shell\\" + context_.ProgramName;
  store_.set(cls + "\\shell", "@", "Play");
  store_.set(cls + "\\shell\\Play", "@", "&" + play);
  store_.set(cls + "\\shell\\Play\\command", "@", playCommand());
  store_.set(cls + "\\shell\\Enqueue", "@", "&" + enqueue);
  store_.set(cls + "\\shell\\Enqueue\\command", "@", exe + " /AddFile %f");
  store_.set(dir + ".Play", "@", "&" + play);
  store_.set(dir + ".Play\\command", "@", exe + " %f");
  store_.set(dir + ".Enqueue", "@", "&" + enqueue);
  store_.set(dir + ".Enqueue\\command", "@", exe + " /AddFolder %f");
  store_.set(cls + "\\Defaulticon", "@", iconPath());
  ok = saveStore() && ok;
  if (!ok) fail();
}

void ShellRegistration::NotifyAssociationsChanged() {
  if (!changed_) return;
  changed_ = false;
  std::error_code ec;
  if (fs::is_directory(applicationsFolder(), ec))
    context_.runTool({"update-desktop-database", "-q", applicationsFolder()});
  if (fs::is_directory(context_.xdg.dataHome + "/mime/packages", ec))
    context_.runTool({"update-mime-database", context_.xdg.dataHome + "/mime"});
  if (!context_.iconPng.empty() && fs::exists(iconPath(), ec))
    context_.runTool(
        {"gtk-update-icon-cache", "-q", "-t", "-f", context_.xdg.dataHome + "/icons/hicolor"});
}

void ShellRegistration::Install() {
  bool ok = writePackage() && writePlayEntry();
  if (!context_.iconPng.empty()) ok = writeIfChanged(iconPath(), context_.iconPng) && ok;
  if (!ok) fail();
}

void ShellRegistration::RemoveProgramFiles() {
  if (anyAssociated()) return;
  removeFile(entryPath(desktopId()));
  removeFile(packagePath());
  removeFile(iconPath());
}

ShellContext makeShellContext(const std::string& ProgramName, const std::string& executablePath,
                              const std::string& DataFolder,
                              const std::vector<std::string>& extensionList) {
  ShellContext c;
  c.ProgramName = ProgramName;
  c.executablePath = executablePath;
  c.storeFile = DataFolder + ProgramName + ".reg";
  c.xdg = xdgFoldersFromEnvironment();
  c.extensionList = extensionList;
  return c;
}

}  // namespace shell
