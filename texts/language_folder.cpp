#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "texts/language_file.h"
#include "texts/utf8.h"

namespace texts {

namespace {

bool fileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = asciiLower(c);
  return out;
}

bool isValidLanguageName(const std::string& name) {
  return !name.empty() && name != kBuiltInLanguage &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos &&
         name.find("..") == std::string::npos;
}

std::string languageFolder(const std::string& programFolder) {
  std::string folder = programFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + "lang/";
}

// File names in the language folder that end in ".lng" in any ASCII case,
// regular files only, in byte order.
std::vector<std::string> languageFileNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return names;
  for (const auto end = std::filesystem::directory_iterator(); it != end; it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (name.size() < 4 || asciiLower(name.substr(name.size() - 4)) != ".lng") continue;
    std::error_code type_ec;
    if (!it->is_regular_file(type_ec)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::optional<std::string> languageFilePath(const std::string& programFolder,
                                            const std::string& name) {
  if (!isValidLanguageName(name)) return std::nullopt;
  const std::string folder = languageFolder(programFolder);
  const std::string exact = folder + name + ".lng";
  if (fileExists(exact)) return exact;
  // A name kept with other capitals than the file has (an older list shown
  // the first letter upper-cased) still finds its file.
  const std::string wanted = asciiLower(name + ".lng");
  for (const std::string& file : languageFileNames(folder)) {
    if (asciiLower(file) == wanted) return folder + file;
  }
  return exact;
}

LanguageLoadResult LoadLanguage(const std::string& programFolder, const std::string& name,
                                bool silent) {
  if (name == kBuiltInLanguage) {
    LoadBuiltInTexts(true);
    return {true, {}};
  }
  const std::optional<std::string> path = languageFilePath(programFolder, name);
  if (path) return LoadLanguageFile(*path, silent);
  if (silent) return {};
  // Reported like a missing file; NUL characters would cut the shown text.
  std::string shown = languageFolder(programFolder) + name + ".lng";
  std::erase(shown, '\0');
  const InterfaceTexts& now = currentTexts();
  return {false, now.Messages[10] + " \"" + shown + "\" " + now.Messages[11]};
}

std::vector<std::string> listLanguages(const std::string& programFolder) {
  std::vector<std::string> list{kBuiltInLanguage};
  for (const std::string& file : languageFileNames(languageFolder(programFolder))) {
    const std::string name = file.substr(0, file.size() - 4);
    if (isValidLanguageName(name)) list.push_back(name);
  }
  std::sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    const std::string la = asciiLower(a), lb = asciiLower(b);
    return la != lb ? la < lb : a < b;
  });
  list.erase(std::unique(list.begin(), list.end()), list.end());
  return list;
}

std::string shownLanguageName(const std::string& name) {
  std::string shown = name;
  if (!shown.empty() && shown[0] >= 'a' && shown[0] <= 'z')
    shown[0] = static_cast<char>(shown[0] - 32);
  return shown;
}

LanguageLoadResult loadStartupLanguage(const std::string& programFolder,
                                       std::string& lastUsedLanguage,
                                       std::string& fullscreenModeSwitch) {
  if (lastUsedLanguage == kBuiltInLanguage) return {true, {}};
  LanguageLoadResult result = LoadLanguage(programFolder, lastUsedLanguage, true);
  if (!result.ok) {
    lastUsedLanguage = kBuiltInLanguage;
  } else if (fullscreenModeSwitch == "No change") {
    fullscreenModeSwitch = currentTexts().Options[6];
  }
  return result;
}

std::string translatorCredit(const std::string& programFolder, const std::string& name) {
  const std::optional<std::string> path = languageFilePath(programFolder, name);
  std::error_code ec;
  if (!path || !std::filesystem::is_regular_file(*path, ec)) return {};
  std::ifstream file(*path, std::ios::binary);
  if (!file) return {};
  std::string head(102400, '\0');
  file.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(file.gcount()));
  if (head.size() < 16) return {};

  // The prefix and the line ends are the same bytes in UTF-8 and Windows-1252,
  // so the credit line is found in the raw bytes and decoded on its own, as the
  // loader decodes every line: a stray byte elsewhere leaves it untouched.
  static constexpr std::string_view kPrefix = "Translated by: ";
  const std::size_t start = head.find(kPrefix);
  if (start == std::string::npos) return {};
  // Files written on Linux may end their lines with a bare LF.
  const std::size_t end = head.find_first_of("\r\n", start);
  if (end == std::string::npos) return {};
  std::string line = head.substr(start, end - start);
  if (!isValidUtf8(line)) line = windows1252ToUtf8(line);
  std::string credit = cutToChars(line, 50);
  if (credit == "Translated by: ...") return {};
  return credit;
}

}  // namespace texts
