#include "texts/language_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "texts/built_in_texts.h"
#include "texts/utf8.h"

namespace texts {

namespace {

// Where the k-th text line of a file goes, and how long its text may be.
struct Slot {
  std::string* entry;
  std::size_t max_chars;
  bool in_options;
  const std::string* built_in;  // the built-in value, for the Options item count
};

template <std::size_t N>
void addGroup(std::vector<Slot>& slots, std::array<std::string, N>& group,
              const std::array<std::string, N>& built_in, std::size_t maxChars,
              bool inOptions = false) {
  for (std::size_t i = 0; i < N; ++i) {
    slots.push_back({&group[i], maxChars, inOptions, &built_in[i]});
  }
}

// The file order of the 266 entries, which differs from the table's own order.
std::vector<Slot> fileOrder(InterfaceTexts& t) {
  const InterfaceTexts& b = builtInTexts();
  std::vector<Slot> slots;
  slots.reserve(kInterfaceTextCount);
  addGroup(slots, t.Titles, b.Titles, 256);
  addGroup(slots, t.Hints, b.Hints, 256);
  addGroup(slots, t.Messages, b.Messages, 512);
  addGroup(slots, t.Labels, b.Labels, 256);
  addGroup(slots, t.Options, b.Options, 1024, true);
  addGroup(slots, t.Buttons, b.Buttons, 128);
  addGroup(slots, t.Pages, b.Pages, 64);
  addGroup(slots, t.Menus, b.Menus, 256);
  for (std::size_t i = 1; i < t.Misc.size(); ++i)
    slots.push_back({&t.Misc[i], 256, false, &b.Misc[i]});
  slots.push_back({&t.Misc[0], 5120, false, &b.Misc[0]});
  return slots;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t found = text.find(from, pos);
    if (found == std::string::npos) break;
    out.append(text, pos, found - pos);
    out.append(to);
    pos = found + from.size();
  }
  out.append(text, pos, std::string::npos);
  text = std::move(out);
}

bool isSkippedLine(std::string_view line) {
  return line.empty() || line.starts_with("//");
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

std::string convertLanguageLine(std::string_view line, bool inOptions) {
  std::string text(line);
  replaceAll(text, "\\n", inOptions ? "\r" : "\r\n");
  replaceAll(text, "\\t", "\t");
  return text;
}

void LanguageFileParser::feed(std::string_view bytes) {
  while (!bytes.empty() && !surplus_) {
    const std::size_t newline = bytes.find('\n');
    const std::string_view part = bytes.substr(0, newline);
    const std::size_t room = kMaxLanguageLineBytes - pending_.size();
    if (part.size() > room) pending_capped_ = true;
    pending_.append(part.substr(0, std::min(room, part.size())));
    if (newline == std::string_view::npos) break;
    endLine();
    bytes.remove_prefix(newline + 1);
  }
}

void LanguageFileParser::endLine() {
  ++line_number_;
  std::string line = std::move(pending_);
  pending_.clear();
  if (at_start_) {
    at_start_ = false;
    if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  }
  if (pending_capped_) {
    // A cut line may end inside a character; drop that piece so the encoding
    // test is not misled.
    line.resize(lengthWithoutIncompleteTail(line));
    pending_capped_ = false;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (isSkippedLine(line)) return;
  if (text_lines_.size() == kInterfaceTextCount) {
    surplus_ = true;
    failed_line_ = line_number_;
    return;
  }
  text_lines_.push_back({std::move(line), line_number_});
}

LanguageParseStatus LanguageFileParser::finish(InterfaceTexts& out) {
  if (!surplus_ && (!pending_.empty() || pending_capped_)) endLine();
  InterfaceTexts table = builtInTexts();
  const std::vector<Slot> slots = fileOrder(table);
  for (std::size_t k = 0; k < text_lines_.size(); ++k) {
    const Slot& slot = slots[k];
    const std::string& raw = text_lines_[k].bytes;
    // The encoding is decided line by line: a translator's editor may have
    // saved one line in the old code page inside an otherwise UTF-8 file.
    const std::string decoded = isValidUtf8(raw) ? raw : windows1252ToUtf8(raw);
    *slot.entry = cutToChars(convertLanguageLine(decoded, slot.in_options), slot.max_chars);
    // A translation must keep the number of list items of the built-in entry.
    if (slot.in_options && optionItemCount(*slot.entry) != optionItemCount(*slot.built_in)) {
      failed_line_ = text_lines_[k].line_number;
      return LanguageParseStatus::OptionsItemCount;
    }
  }
  if (surplus_) return LanguageParseStatus::SurplusLine;
  if (text_lines_.size() < kInterfaceTextCount) {
    failed_line_ = 0;
    return LanguageParseStatus::TooFewLines;
  }
  out = std::move(table);
  return LanguageParseStatus::Ok;
}

LanguageParseStatus parseLanguageText(std::string_view content, InterfaceTexts& out,
                                      std::size_t* failedLine) {
  LanguageFileParser parser;
  parser.feed(content);
  const LanguageParseStatus status = parser.finish(out);
  if (failedLine) *failedLine = parser.failedLine();
  return status;
}

LanguageLoadResult LoadLanguageFile(const std::string& path, bool silent) {
  const InterfaceTexts& now = currentTexts();
  const auto missing = [&]() -> LanguageLoadResult {
    if (silent) return {};
    return {false, now.Messages[10] + " " + quoted(path) + " " + now.Messages[11]};
  };
  const auto unreadable = [&]() -> LanguageLoadResult {
    if (silent) return {};
    return {false, now.Messages[7] + " " + quoted(path) + "!"};
  };

  struct stat info {};
  if (path.empty() || path.find('\0') != std::string::npos || ::stat(path.c_str(), &info) != 0) {
    return missing();
  }
  // Non-blocking, so a named pipe in place of the file cannot stall the player.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return unreadable();
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return unreadable();
  }

  LanguageFileParser parser;
  std::string buffer(64 * 1024, '\0');
  bool read_failed = false;
  while (true) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      read_failed = true;
      break;
    }
    if (got == 0) break;
    parser.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
  ::close(fd);
  // A file that could not be read to its end changes nothing.
  if (read_failed) return unreadable();

  InterfaceTexts table;
  if (parser.finish(table) != LanguageParseStatus::Ok) {
    LoadBuiltInTexts(false);
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return {false, "Error while loading\r\n" + quoted(name) + "!"};
  }
  detail::replaceCurrentTexts(std::move(table));
  ApplyTexts();
  return {true, {}};
}

}  // namespace texts
