#include "playlist/playlist_file.h"

#include <algorithm>

namespace playlist {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool PlaylistLineSplitter::feed(std::string_view piece) {
  if (!headDone_) {
    // Only the first three bytes of the file can be its mark, whatever the pieces.
    const std::size_t take = std::min(piece.size(), kByteOrderMark.size() - head_.size());
    head_.append(piece.substr(0, take));
    piece.remove_prefix(take);
    if (head_.size() < kByteOrderMark.size()) return wantsMore();
    headDone_ = true;
    split(head_ == kByteOrderMark ? std::string_view() : std::string_view(head_));
  }
  split(piece);
  return wantsMore();
}

void PlaylistLineSplitter::split(std::string_view bytes) {
  for (const char c : bytes) {
    if (!wantsMore()) return;
    if (c == '\x1A') {
      ended_ = true;
    } else if (c == '\n') {
      lines_.push_back(std::move(line_));
      line_.clear();
    } else if (c != '\r') {
      line_.push_back(c);
    }
  }
}

std::vector<std::string> PlaylistLineSplitter::finish() {
  if (!headDone_) {
    headDone_ = true;
    split(head_);  // a file of fewer than three bytes has no mark
  }
  // Text after the last line end is a line of its own.
  if (!line_.empty() && lines_.size() < maxLines_) lines_.push_back(std::move(line_));
  line_.clear();
  return std::move(lines_);
}

std::vector<std::string> splitPlaylistLines(std::string_view bytes, std::size_t maxLines) {
  PlaylistLineSplitter splitter(maxLines);
  splitter.feed(bytes);
  return splitter.finish();
}

bool storableInPlaylistFile(std::string_view path) {
  return path.size() <= kMaxStoredPathBytes &&
         path.find_first_of("\r\n\x1A") == std::string_view::npos;
}

std::string formatPlaylistFile(const std::vector<std::string>& movies,
                               const std::vector<std::string>& subtitles) {
  std::string text;
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < movies.size(); ++i) bytes += movies[i].size() + 32;
  text.reserve(bytes);
  std::size_t written = 0;
  for (std::size_t i = 0; i < movies.size() && written < kMaxPlaylistEntries; ++i) {
    if (!storableInPlaylistFile(movies[i])) continue;
    // The reader takes a leading mark as the file's own: a first path that
    // starts with one gets one more in front, so its own mark survives.
    if (written++ == 0 && movies[i].starts_with(kByteOrderMark)) text += kByteOrderMark;
    text += movies[i];
    text += "\r\n";
    const std::string& subtitle = i < subtitles.size() ? subtitles[i] : std::string();
    if (i < subtitles.size() && storableInPlaylistFile(subtitle)) {
      text += subtitle;
    } else {
      text += kNoSubtitle;
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace playlist
