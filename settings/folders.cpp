#include "settings/folders.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace settings {

namespace fs = std::filesystem;

std::string programNameFromExecutable(const std::string& fileName) {
  std::string name = fileName;
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  if (name == "TARVELINO" || name == "tarvelino") name = "Tarvelino";
  return name;
}

namespace {

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string configHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // Relative values are invalid by the XDG rules and ignored.
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.config";
  return {};
}

}  // namespace

Folders determineFolders(const std::string& executablePath) {
  Folders f;
  fs::path exe(executablePath);
  std::error_code ec;
  fs::path absolute = fs::absolute(exe, ec);
  if (ec) absolute = exe;
  f.ProgramFolder = withSlash(absolute.parent_path().string());
  f.ProgramName = programNameFromExecutable(absolute.filename().string());
  std::string base = configHome();
  f.DataFolder = f.ProgramFolder;
  if (!base.empty()) {
    std::string data = withSlash(base) + f.ProgramName + "/";
    fs::create_directories(data, ec);
    if (fs::is_directory(data, ec)) f.DataFolder = data;
  }
  f.ConfigurationFile = f.DataFolder + f.ProgramName + ".ini";
  return f;
}

void migrateOldFiles(const Folders& folders) {
  if (folders.DataFolder == folders.ProgramFolder) return;
  const std::string names[] = {folders.ProgramName + ".ini", "Presets.EQ",
                               folders.ProgramName + ".rs", folders.ProgramName + ".mpl"};
  for (const std::string& name : names) {
    std::error_code ec;
    fs::path from = folders.ProgramFolder + name, to = folders.DataFolder + name;
    if (fs::exists(to, ec) || !fs::is_regular_file(from, ec)) continue;
    if (fs::copy_file(from, to, fs::copy_options::none, ec) && !ec) fs::remove(from, ec);
  }
}

void EnterNearestFolder(const std::string& path) {
  if (path.size() <= 2) return;
  std::string p = path;
  const long slashes = std::count(p.begin(), p.end(), '/');
  if (::chdir(p.c_str()) == 0) return;
  if (p[0] != '/') return;
  // Walk up one folder at a time, at most 2n + 2 tries, down to the root.
  for (long tries = 0; tries < 2 * slashes + 2; ++tries) {
    size_t cut = p.find_last_of('/');
    if (cut == 0 || cut == std::string::npos) {
      if (p == "/") return;
      p = "/";
    } else {
      p.resize(cut);
    }
    if (::chdir(p.c_str()) == 0) return;
  }
}

}  // namespace settings
