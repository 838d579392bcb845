#include "playlist/file_names.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <set>

#include "texts/central_european.h"
#include "texts/utf8.h"

namespace fs = std::filesystem;

namespace playlist {

std::string_view fileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view folderPart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string_view withoutExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

std::string lowerExtension(std::string_view path) {
  const std::string_view name = fileNamePart(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return lowerKey(name.substr(dot + 1));
}

std::string lowerKey(std::string_view text) {
  return texts::lowerCaseCentralEuropean(text);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a == b || lowerKey(a) == lowerKey(b);
}

bool hasMovieExtension(std::string_view path, const std::vector<std::string>& extensions) {
  if (fileNamePart(path).find('.') == std::string_view::npos) return false;
  const std::string extension = lowerExtension(path);
  return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

namespace {

// Deep enough for any real folder tree, shallow enough for the call stack.
constexpr int kMaxScanDepth = 128;

void scanInto(const fs::path& folder, const std::string& folderText,
              const std::vector<std::string>& extensions, std::set<fs::path>& visited, int depth,
              std::vector<std::string>& found) {
  std::error_code ec;
  const fs::path canonical = fs::canonical(folder, ec);
  if (ec || !visited.insert(canonical).second || depth > kMaxScanDepth) return;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  if (ec) return;
  const std::string prefix =
      folderText.empty() || folderText.back() == '/' ? folderText : folderText + "/";
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return;
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      if (!name.empty() && name[0] != '.') {
        scanInto(it->path(), prefix + name, extensions, visited, depth + 1, found);
      }
    } else if (hasMovieExtension(name, extensions)) {
      found.push_back(prefix + name);
    }
  }
}

struct Chars {
  std::vector<std::string_view> raw;
  std::vector<std::string> lower;
};

// Splits UTF-8 text into characters; a byte that starts no well-formed
// sequence is a character of its own.
Chars splitChars(std::string_view text) {
  Chars chars;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t length = std::max<std::size_t>(texts::decodeUtf8(text, pos).length, 1);
    chars.raw.push_back(text.substr(pos, length));
    chars.lower.push_back(texts::lowerCaseCentralEuropean(chars.raw.back()));
    pos += length;
  }
  return chars;
}

bool isLowerLetterAtoY(char c) {
  return c >= 'a' && c <= 'y';
}
bool isDigit0to8(char c) {
  return c >= '0' && c <= '8';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::vector<std::string> scanFolder(const std::string& folder,
                                    const std::vector<std::string>& extensions) {
  std::vector<std::string> found;
  std::set<fs::path> visited;
  scanInto(fs::path(folder), folder, extensions, visited, 0, found);
  return found;
}

std::vector<std::size_t> nameSortOrder(const std::vector<std::string>& paths) {
  std::vector<std::string> keys;
  keys.reserve(paths.size());
  for (const std::string& path : paths) keys.push_back(lowerKey(fileNamePart(path)));
  std::vector<std::size_t> order(paths.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return order;
}

std::optional<std::string> nextPart(const std::string& path, const FileExists& exists) {
  const std::string folder(folderPart(path));
  const std::string_view name = fileNamePart(path);
  const std::size_t dot = name.rfind('.');
  const std::string base(dot == std::string_view::npos ? name : name.substr(0, dot));
  const std::string extension(dot == std::string_view::npos ? std::string_view()
                                                            : name.substr(dot));
  if (base.empty()) return std::nullopt;
  auto existing = [&](const std::string& candidateBase) -> std::optional<std::string> {
    std::string candidate = folder + candidateBase + extension;
    if (exists(candidate)) return candidate;
    return std::nullopt;
  };

  if (isDigit(base.back())) {
    std::size_t start = base.size();
    while (start > 0 && isDigit(base[start - 1])) --start;
    const std::size_t digits = base.size() - start;
    if (digits > 5) return std::nullopt;
    std::string number = std::to_string(std::stoul(base.substr(start)) + 1);
    if (number.size() < digits) number.insert(0, digits - number.size(), '0');
    return existing(base.substr(0, start) + number);
  }

  const char last = base.back();
  if ((last >= 'A' && last <= 'Y') || isLowerLetterAtoY(last)) {
    std::string candidate = base;
    candidate.back() = static_cast<char>(last + 1);
    if (auto found = existing(candidate)) return found;
  }
  const auto endsWith = [&base](std::string_view tail) {
    return base.size() >= tail.size() &&
           base.compare(base.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (endsWith(" I") || endsWith(" II")) return existing(base + "I");

  for (std::size_t i = base.size() - 1; i-- > 0;) {
    std::string candidate = base;
    if (isDigit0to8(base[i]) || isLowerLetterAtoY(base[i])) {
      ++candidate[i];
    } else if (base[i] == '9' && i > 0 && isDigit0to8(base[i - 1])) {
      candidate[i] = '0';
      ++candidate[i - 1];
    } else {
      continue;
    }
    if (auto found = existing(candidate)) return found;
  }
  return std::nullopt;
}

double subtitleMatchScore(std::string_view subtitleName, std::string_view movieName) {
  const Chars s = splitChars(subtitleName);
  const Chars m = splitChars(movieName);
  const std::size_t lengthS = s.raw.size();
  const std::size_t lengthM = m.raw.size();
  const std::size_t shorter = std::min(lengthS, lengthM);
  double points = 0;
  long weight = 0;

  std::size_t forward = 0;
  for (; forward < shorter; ++forward) {
    if (s.raw[forward] == m.raw[forward])
      points += 200;
    else if (s.lower[forward] == m.lower[forward])
      points += 150;
    else
      break;
    weight += 2;
  }
  std::size_t backward = 0;
  for (; backward < shorter; ++backward) {
    const std::size_t is = lengthS - 1 - backward;
    const std::size_t im = lengthM - 1 - backward;
    if (s.raw[is] == m.raw[im])
      points += 100;
    else if (s.lower[is] == m.lower[im])
      points += 75;
    else
      break;
    weight += 1;
  }
  // F and B are the 1-based positions of the first mismatch from each end.
  const long first = static_cast<long>(forward) + 1;
  const long last = static_cast<long>(backward) + 1;
  const long longer = static_cast<long>(std::max(lengthS, lengthM));
  if (longer - last + 1 >= first) weight += longer - last - first + 3;
  return weight >= 1 ? points / static_cast<double>(weight) : 0.0;
}

}  // namespace playlist
