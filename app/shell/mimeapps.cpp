#include "app/shell/mimeapps.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace shell {

namespace {

constexpr const char* kDefaultGroup = "[Default Applications]";

struct Line {
  std::string body;        // without its line end
  std::string terminator;  // "\n", "\r\n" or "" for an unterminated last line
};

std::vector<Line> splitLines(const std::string& text) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back({text.substr(start), ""});
      break;
    }
    size_t bodyEnd = end;
    if (bodyEnd > start && text[bodyEnd - 1] == '\r') --bodyEnd;
    lines.push_back({text.substr(start, bodyEnd - start), text.substr(bodyEnd, end + 1 - bodyEnd)});
    start = end + 1;
  }
  return lines;
}

std::string join(const std::vector<Line>& lines) {
  std::string out;
  for (const Line& l : lines) out += l.body + l.terminator;
  return out;
}

std::string trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  const size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool isGroupHeader(const std::string& body) {
  const std::string t = trim(body);
  return !t.empty() && t.front() == '[';
}

// The key of an entry line, or empty for comments and other lines.
std::string entryKey(const std::string& body) {
  const std::string t = trim(body);
  if (t.empty() || t[0] == '#') return {};
  const size_t eq = t.find('=');
  return eq == std::string::npos ? std::string() : trim(t.substr(0, eq));
}

std::vector<std::string> entryIds(const std::string& body) {
  std::vector<std::string> ids;
  const size_t eq = body.find('=');
  std::stringstream list(body.substr(eq + 1));
  std::string id;
  while (std::getline(list, id, ';')) {
    id = trim(id);
    if (!id.empty()) ids.push_back(id);
  }
  return ids;
}

// The entry line without the id (and its ";"); everything else as it was.
std::string removeToken(const std::string& body, const std::string& id) {
  const size_t eq = body.find('=');
  std::string out = body.substr(0, eq + 1);
  size_t start = eq + 1;
  while (start <= body.size()) {
    size_t end = body.find(';', start);
    const bool last = end == std::string::npos;
    if (last) end = body.size();
    const std::string token = body.substr(start, end - start);
    if (trim(token) != id)
      out += token + (last ? "" : ";");
    else  // the blanks after "=" stay
      out += token.substr(0, token.find_first_not_of(" \t"));
    if (last) break;
    start = end + 1;
  }
  return out;
}

// The id put first in the entry's list, after "=" and any blanks.
std::string insertFirst(const std::string& body, const std::string& id) {
  size_t at = body.find('=') + 1;
  while (at < body.size() && (body[at] == ' ' || body[at] == '\t')) ++at;
  return body.substr(0, at) + id + ";" + body.substr(at);
}

std::string entryLine(const std::string& mime, const std::vector<std::string>& ids) {
  std::string line = mime + "=";
  for (const std::string& id : ids) line += id + ";";
  return line;
}

// Index range [first, last) of the group's lines after its header; first is
// npos when the group is missing.
struct GroupRange {
  size_t header = std::string::npos;
  size_t end = 0;
};

GroupRange findDefaultGroup(const std::vector<Line>& lines) {
  GroupRange r;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!isGroupHeader(lines[i].body)) continue;
    if (r.header != std::string::npos) {
      r.end = i;
      return r;
    }
    if (trim(lines[i].body) == kDefaultGroup) r.header = i;
  }
  r.end = lines.size();
  return r;
}

std::string lineEndOf(const std::vector<Line>& lines) {
  for (const Line& l : lines)
    if (!l.terminator.empty()) return l.terminator;
  return "\n";
}

std::vector<std::string> splitPath(const char* value) {
  std::vector<std::string> out;
  if (!value) return out;
  std::stringstream list(value);
  std::string item;
  while (std::getline(list, item, ':'))
    if (!item.empty()) out.push_back(item);
  return out;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

std::vector<std::string> listedDefaults(const std::string& text, const std::string& mime) {
  const std::vector<Line> lines = splitLines(text);
  const GroupRange g = findDefaultGroup(lines);
  if (g.header == std::string::npos) return {};
  for (size_t i = g.header + 1; i < g.end; ++i)
    if (entryKey(lines[i].body) == mime) return entryIds(lines[i].body);
  return {};
}

std::string setDefault(const std::string& text, const std::string& mime, const std::string& id) {
  std::vector<Line> lines = splitLines(text);
  const std::string eol = lineEndOf(lines);
  GroupRange g = findDefaultGroup(lines);
  if (g.header == std::string::npos) {
    if (!lines.empty() && lines.back().terminator.empty()) lines.back().terminator = eol;
    lines.push_back({kDefaultGroup, eol});
    g.header = lines.size() - 1;
    g.end = lines.size();
  }
  for (size_t i = g.header + 1; i < g.end; ++i) {
    if (entryKey(lines[i].body) != mime) continue;
    const std::vector<std::string> listed = entryIds(lines[i].body);
    if (!listed.empty() && listed[0] == id) return text;
    lines[i].body = insertFirst(removeToken(lines[i].body, id), id);
    return join(lines);
  }
  // After the group's last entry, before any blank lines that end it.
  size_t at = g.end;
  while (at > g.header + 1 && trim(lines[at - 1].body).empty()) --at;
  if (at > 0 && lines[at - 1].terminator.empty()) lines[at - 1].terminator = eol;
  lines.insert(lines.begin() + static_cast<long>(at), Line{entryLine(mime, {id}), eol});
  return join(lines);
}

std::string removeDefault(const std::string& text, const std::string& mime, const std::string& id,
                          const std::string& restore) {
  std::vector<Line> lines = splitLines(text);
  const GroupRange g = findDefaultGroup(lines);
  if (g.header == std::string::npos) return text;
  for (size_t i = g.header + 1; i < g.end; ++i) {
    if (entryKey(lines[i].body) != mime) continue;
    const std::vector<std::string> listed = entryIds(lines[i].body);
    if (std::find(listed.begin(), listed.end(), id) == listed.end()) return text;  // not ours
    std::string body = removeToken(lines[i].body, id);
    if (!restore.empty() && restore != id &&
        std::find(listed.begin(), listed.end(), restore) == listed.end())
      body = insertFirst(body, restore);
    if (entryIds(body).empty())
      lines.erase(lines.begin() + static_cast<long>(i));
    else
      lines[i].body = body;
    return join(lines);
  }
  return text;
}

XdgFolders xdgFoldersFromEnvironment() {
  XdgFolders f;
  const char* home = std::getenv("HOME");
  const std::string h = home ? home : "";
  auto value = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : std::string();
  };
  f.configHome = value("XDG_CONFIG_HOME");
  if (f.configHome.empty()) f.configHome = h + "/.config";
  f.dataHome = value("XDG_DATA_HOME");
  if (f.dataHome.empty()) f.dataHome = h + "/.local/share";
  f.configDirs = splitPath(std::getenv("XDG_CONFIG_DIRS"));
  if (f.configDirs.empty()) f.configDirs = {"/etc/xdg"};
  f.dataDirs = splitPath(std::getenv("XDG_DATA_DIRS"));
  if (f.dataDirs.empty()) f.dataDirs = {"/usr/local/share", "/usr/share"};
  for (std::string d : splitPath(std::getenv("XDG_CURRENT_DESKTOP"))) {
    for (char& c : d) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    f.desktops.push_back(d);
  }
  return f;
}

std::vector<std::string> mimeappsFiles(const XdgFolders& f) {
  std::vector<std::string> files;
  auto add = [&](const std::string& folder) {
    for (const std::string& d : f.desktops) files.push_back(folder + "/" + d + "-mimeapps.list");
    files.push_back(folder + "/mimeapps.list");
  };
  add(f.configHome);
  for (const std::string& d : f.configDirs) add(d);
  add(f.dataHome + "/applications");
  for (const std::string& d : f.dataDirs) add(d + "/applications");
  return files;
}

bool desktopEntryInstalled(const XdgFolders& f, const std::string& id) {
  std::error_code ec;
  if (id.empty() || id.find('/') != std::string::npos) return false;
  if (std::filesystem::is_regular_file(f.dataHome + "/applications/" + id, ec)) return true;
  for (const std::string& d : f.dataDirs)
    if (std::filesystem::is_regular_file(d + "/applications/" + id, ec)) return true;
  return false;
}

std::optional<std::string> effectiveDefault(const XdgFolders& f, const std::string& mime,
                                            const std::string& skipFile) {
  for (const std::string& file : mimeappsFiles(f)) {
    std::error_code ec;
    if (file == skipFile) continue;
    if (!std::filesystem::is_regular_file(file, ec)) continue;
    for (const std::string& id : listedDefaults(readFile(file), mime))
      if (desktopEntryInstalled(f, id)) return id;
  }
  return std::nullopt;
}

}  // namespace shell
