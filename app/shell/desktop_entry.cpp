#include "app/shell/desktop_entry.h"

namespace shell {

namespace {

std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

std::string quoteExecArgument(const std::string& argument) {
  std::string out = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  return out + "\"";
}

std::string escapeDesktopValue(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\t')
      out += "\\t";
    else if (c == ' ' && i == 0)
      out += "\\s";
    else
      out += c;
  }
  return out;
}

std::string unescapeDesktopValue(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (const char n = value[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        out += n;
    }
  }
  return out;
}

std::string desktopEntryText(const DesktopEntry& e) {
  std::string out = "[Desktop Entry]\nType=Application\n";
  out += "Name=" + escapeDesktopValue(e.name) + "\n";
  if (!e.comment.empty()) out += "Comment=" + escapeDesktopValue(e.comment) + "\n";
  out += "Exec=" + escapeDesktopValue(e.exec) + "\n";
  if (!e.icon.empty()) out += "Icon=" + escapeDesktopValue(e.icon) + "\n";
  out += "Terminal=false\n";
  if (!e.mimeTypes.empty()) {
    out += "MimeType=";
    for (const std::string& m : e.mimeTypes) out += m + ";";
    out += "\n";
  }
  if (e.noDisplay) out += "NoDisplay=true\n";
  return out;
}

std::optional<std::string> desktopEntryValue(const std::string& text, const std::string& key) {
  bool inGroup = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = trim(text.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line[0] == '[') {
      inGroup = line == "[Desktop Entry]";
      continue;
    }
    const size_t eq = line.find('=');
    if (!inGroup || eq == std::string::npos) continue;
    if (trim(line.substr(0, eq)) == key) return unescapeDesktopValue(trim(line.substr(eq + 1)));
  }
  return std::nullopt;
}

}  // namespace shell
