#include "audio/eq_presets.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>

#include "settings/atomic_file.h"

namespace audio {

namespace {

// A token of "-" and digits; anything that is not a whole number (empty,
// "-", "5-3", too long) reads as 0, as the file's rule asks.
int tokenValue(const std::string& token) {
  int v = 0;
  auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), v);
  if (ec != std::errc() || end != token.data() + token.size()) {
    // Out of range for int: clamp by its sign rather than reading 0.
    if (ec == std::errc::result_out_of_range) return token[0] == '-' ? -100 : 100;
    return 0;
  }
  return std::clamp(v, -100, 100);
}

EqPreset parseLine(std::string_view line, bool& ok) {
  EqPreset p;
  const size_t eq = line.find('=');
  ok = eq != std::string_view::npos && eq >= 1;
  if (!ok) return p;
  p.name = std::string(line.substr(0, eq));
  std::string rest(line.substr(eq + 1));
  rest += ',';
  std::string token;
  size_t slot = 0;
  for (char c : rest) {
    if (slot >= p.values.size()) break;
    if (c == '-' || (c >= '0' && c <= '9')) {
      // A token longer than any value is clamped anyway; cap its length.
      if (token.size() < 16) token += c;
      continue;
    }
    p.values[slot++] = int8_t(tokenValue(token));
    token.clear();
  }
  return p;
}

}  // namespace

std::vector<EqPreset> parsePresets(std::string_view text) {
  std::vector<EqPreset> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    bool ok = false;
    EqPreset p = parseLine(line, ok);
    if (ok) {
      // A lone CR inside a line cannot be written back as one line.
      std::replace(p.name.begin(), p.name.end(), '\r', ' ');
      out.push_back(std::move(p));
    }
    start = end + 1;
  }
  return out;
}

std::string formatPresets(const std::vector<EqPreset>& presets) {
  std::string out;
  for (const EqPreset& p : presets) {
    out += p.name;
    out += '=';
    for (size_t i = 0; i < p.values.size(); ++i) {
      if (i) out += ',';
      out += std::to_string(int(p.values[i]));
    }
    out += "\r\n";
  }
  return out;
}

std::string cleanPresetName(std::string_view typed) {
  std::string name;
  for (char c : typed) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '=') continue;
    name += (u < 0x20 || u == 0x7f) ? ' ' : c;
  }
  const size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const size_t last = name.find_last_not_of(' ');
  return name.substr(first, last - first + 1);
}

PresetStore::ReadResult readSmallFile(const std::string& path, std::size_t limit,
                                      std::string& out) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return errno == ENOENT ? PresetStore::ReadResult::Missing : PresetStore::ReadResult::Failed;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && std::size_t(st.st_size) <= limit;
  char buffer[65536];
  while (ok) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    out.append(buffer, size_t(n));
    // The file may have grown since it was measured.
    ok = out.size() <= limit;
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok ? PresetStore::ReadResult::Read : PresetStore::ReadResult::Failed;
}

PresetStore::ReadResult PresetStore::read() {
  std::string text;
  const ReadResult r = readSmallFile(path_, kMaxPresetFileBytes, text);
  presets_ = parsePresets(text);
  edits_.clear();
  readFailed_ = r == ReadResult::Failed;
  return r;
}

void PresetStore::apply(std::vector<EqPreset>& list, const Edit& edit) {
  if (edit.remove) {
    auto it = std::find(list.begin(), list.end(), edit.preset);
    if (it == list.end())
      it = std::find_if(list.begin(), list.end(),
                        [&](const EqPreset& p) { return p.name == edit.preset.name; });
    if (it != list.end()) list.erase(it);
    return;
  }
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const EqPreset& p) { return p.name == edit.preset.name; });
  if (it != list.end())
    it->values = edit.preset.values;
  else
    list.push_back(edit.preset);
}

int PresetStore::save(std::string_view name, const PresetValues& values) {
  EqPreset p{cleanPresetName(name), values};
  if (p.name.empty()) return -1;
  Edit edit{false, p};
  apply(presets_, edit);
  edits_.push_back(std::move(edit));
  auto it = std::find_if(presets_.begin(), presets_.end(),
                         [&](const EqPreset& q) { return q.name == p.name; });
  return int(it - presets_.begin());
}

bool PresetStore::remove(std::size_t index) {
  if (index >= presets_.size()) return false;
  edits_.push_back({true, presets_[index]});
  presets_.erase(presets_.begin() + std::ptrdiff_t(index));
  return true;
}

bool PresetStore::write() {
  if (edits_.empty()) return true;
  // The file could not be read: writing would replace presets never seen.
  if (readFailed_) return false;
  std::string text;
  if (readSmallFile(path_, kMaxPresetFileBytes, text) == ReadResult::Failed) return false;
  std::vector<EqPreset> current = parsePresets(text);
  for (const Edit& e : edits_) apply(current, e);
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  if (!settings::writeFileAtomically(path_, formatPresets(current))) return false;
  edits_.clear();
  presets_ = std::move(current);
  return true;
}

}  // namespace audio
