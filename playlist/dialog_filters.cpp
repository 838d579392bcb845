#include "playlist/dialog_filters.h"

#include <set>

namespace playlist {

namespace {

// Characters the toolkit's filter syntax takes literally inside a pattern.
bool literalSafe(unsigned char c) {
  if (c >= '0' && c <= '9') return true;
  switch (c) {
    case '_':
    case '.':
    case '-':
    case '#':
    case '@':
    case '~':
    case '!':
    case '%':
    case '&':
    case '=':
    case '^':
    case '$':
    case '+':
    case ',':
      return true;
    default:
      return false;
  }
}

// A filter name must not hold the separator of filters.
std::string cleanName(std::string_view name) {
  std::string out(name);
  for (std::size_t at = out.find(";;"); at != std::string::npos; at = out.find(";;"))
    out.replace(at, 2, "; ");
  return out;
}

}  // namespace

std::string extensionPattern(std::string_view extension) {
  if (extension.empty()) return {};
  std::string pattern = "*.";
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const auto c = static_cast<unsigned char>(extension[i]);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      const char lower = static_cast<char>(c | 0x20);
      const char upper = static_cast<char>(lower & ~0x20);
      pattern += std::string("[") + lower + upper + "]";
    } else if (literalSafe(c)) {
      pattern += static_cast<char>(c);
    } else {
      pattern += '?';
      // One "?" for a whole UTF-8 sequence: skip its continuation bytes.
      while (c >= 0xC0 && i + 1 < extension.size() &&
             (static_cast<unsigned char>(extension[i + 1]) & 0xC0) == 0x80)
        ++i;
    }
  }
  return pattern;
}

std::string movieFilesFilter(std::string_view videoFiles, std::string_view allFiles,
                             const std::vector<std::string>& extensions) {
  std::string patterns;
  std::set<std::string> seen;
  for (const std::string& extension : extensions) {
    std::string pattern = extensionPattern(extension);
    if (pattern.empty() || !seen.insert(pattern).second) continue;
    if (!patterns.empty()) patterns += ' ';
    patterns += pattern;
  }
  const std::string all = cleanName(allFiles) + " (*)";
  if (patterns.empty()) return all;
  return cleanName(videoFiles) + " (" + patterns + ");;" + all;
}

std::string playlistFilesFilter(std::string_view playlistFiles, std::string_view allFiles) {
  return cleanName(playlistFiles) + " (*.mpl) (" + extensionPattern("mpl") + ");;" +
         cleanName(allFiles) + " (*)";
}

std::vector<std::string> filterNames(std::string_view filter) {
  std::vector<std::string> names;
  while (true) {
    const std::size_t end = filter.find(";;");
    std::string_view one = filter.substr(0, end);
    const std::size_t open = one.rfind(" (");
    names.emplace_back(one.substr(0, open));
    if (end == std::string_view::npos) break;
    filter.remove_prefix(end + 2);
  }
  return names;
}

}  // namespace playlist
