#include "playlist/playlist_file.h"

#include <algorithm>

namespace playlist {

std::vector<std::string> splitPlaylistLines(std::string_view bytes, std::size_t maxLines) {
  std::vector<std::string> lines;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const std::size_t end = std::min(bytes.find('\x1A'), bytes.size());
  std::string line;
  std::size_t pos = 0;
  while (pos < end && lines.size() < maxLines) {
    const char c = bytes[pos++];
    if (c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
    } else if (c != '\r') {
      line.push_back(c);
    }
  }
  // Text after the last line end is a line of its own.
  if (!line.empty() && lines.size() < maxLines) lines.push_back(std::move(line));
  return lines;
}

bool storableInPlaylistFile(std::string_view path) {
  return path.find_first_of("\r\n\x1A") == std::string_view::npos;
}

std::string formatPlaylistFile(const std::vector<std::string>& movies,
                               const std::vector<std::string>& subtitles) {
  std::string text;
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < movies.size(); ++i) bytes += movies[i].size() + 32;
  text.reserve(bytes);
  for (std::size_t i = 0; i < movies.size(); ++i) {
    if (!storableInPlaylistFile(movies[i])) continue;
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
