// Playlist files (".mpl"): loaded into the model as the open dialog does, and
// the list written back must read as the same list.
#include <cstdio>

#include "fuzz/fuzz_input.h"
#include "playlist/playlist.h"
#include "playlist/playlist_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  fuzz::Choices choices(data, size);
  const std::uint8_t mode = choices.byte();
  const std::string_view bytes = choices.rest();

  settings::Settings s;
  s.Shuffle = mode & 2;
  playlist::PlaylistHooks hooks;
  // Nothing the file names is looked up on this machine.
  hooks.fileExists = [](const std::string&) { return false; };
  playlist::Playlist list(s, texts::builtInTexts(), hooks);
  list.seedRandom(1);
  if (mode & 4) list.addMovie("/movies/already.avi");
  const playlist::LoadResult result = list.loadFromList(file.write(bytes), true, mode & 1);
  FUZZ_CHECK(result == playlist::LoadResult::Loaded);
  FUZZ_CHECK(list.PlaylistMovies().size() == list.PlaylistSubtitles().size());
  FUZZ_CHECK(list.movieRows().size() == list.PlaylistMovies().size());
  if (!list.empty()) {
    list.select(static_cast<int>(choices.byte()) % list.count());
    list.moveDown(true);
    list.sortByFileName();
  }

  bool storable = true;
  for (const std::string& m : list.PlaylistMovies())
    storable = storable && playlist::storableInPlaylistFile(m);
  if (!storable || list.count() > static_cast<int>(playlist::kMaxPlaylistEntries)) return 0;
  const std::string text =
      playlist::formatPlaylistFile(list.PlaylistMovies(), list.PlaylistSubtitles());
  const std::vector<std::string> lines = playlist::splitPlaylistLines(text, SIZE_MAX);
  FUZZ_CHECK(lines.size() == 2 * list.PlaylistMovies().size());
  for (std::size_t i = 0; i < list.PlaylistMovies().size(); ++i) {
    FUZZ_CHECK(lines[2 * i] == list.PlaylistMovies()[i]);
    const std::string& sub = list.PlaylistSubtitles()[i];
    FUZZ_CHECK(lines[2 * i + 1] ==
               (playlist::storableInPlaylistFile(sub) ? sub : std::string(playlist::kNoSubtitle)));
  }
  return 0;
}
