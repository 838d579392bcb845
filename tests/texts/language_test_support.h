#pragma once
// Helpers for language file tests: writing a table back as a language file and
// a temporary folder that removes itself.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "texts/interface_texts.h"

namespace texts_test {

// One text back in language file form: line breaks become "\n", TABs "\t".
inline std::string escapeText(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\t') {
      out += "\\t";
    } else {
      out += text[i];
    }
  }
  return out;
}

// The 266 text lines of a table in file order.
inline std::vector<std::string> fileLines(const texts::InterfaceTexts& t) {
  std::vector<std::string> lines;
  const auto add = [&](const auto& group) {
    for (const auto& text : group) lines.push_back(escapeText(text));
  };
  add(t.Titles);
  add(t.Hints);
  add(t.Messages);
  add(t.Labels);
  add(t.Options);
  add(t.Buttons);
  add(t.Pages);
  add(t.Menus);
  for (std::size_t i = 1; i < t.Misc.size(); ++i) lines.push_back(escapeText(t.Misc[i]));
  lines.push_back(escapeText(t.Misc[0]));
  return lines;
}

inline std::string joinLines(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string out;
  for (const auto& line : lines) out += line + end;
  return out;
}

// Index in file order of the first Options line.
inline constexpr std::size_t kFirstOptionsLine = 15 + 32 + 67 + 44;

// The German language file of the source tree.
inline std::string germanFile() {
  const char* source = std::getenv("TARVELINO_SOURCE_DIR");
  return std::string(source && *source ? source : TEXTS_TEST_SOURCE_DIR) +
         "/resources/lang/Deutsch.lng";
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "texts-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string write(const std::string& relative, const std::string& content) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace texts_test
