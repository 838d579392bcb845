// Writes the player's four files with the player's own save functions, so a
// test can kill it in the middle. Two versions of each file differ in content
// and length, so a mix or a cut of them shows.
//   crash_writer once <folder/> <0|1>   writes that version of each file once
//   crash_writer loop <folder/>         writes versions 1, 0, 1, ... until killed;
//                                       prints "R" once the first write starts
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "settings/save_configuration.h"
#include "audio/eq_presets.h"
#include "moviememory/movie_memory.h"
#include "playlist/playlist.h"
#include "tests/crash_safety/crash_files.h"

namespace {

struct Version {
  settings::Settings settings;
  settings::Folders folders;
  std::unique_ptr<playlist::Playlist> list;
  moviememory::MovieMemory memory;
  std::vector<std::pair<std::string, audio::PresetValues>> presets;
};

void build(Version& v, const std::string& folder, int version) {
  // Version 1 is the longer one in every file.
  const int n = version == 0 ? 60 : 150;
  v.settings.LastAccessedFolder = "/movies/version" + std::to_string(version) + "/";
  v.settings.SubtitleDirectory = "/subtitles/" + std::string(static_cast<std::size_t>(n), 'x');
  v.folders.DataFolder = folder;
  v.folders.ProgramName = crash::kProgramName;
  v.folders.ConfigurationFile = folder + crash::kConfigurationFile;
  playlist::PlaylistHooks hooks;
  hooks.fileExists = [](const std::string&) { return true; };
  v.list = std::make_unique<playlist::Playlist>(v.settings, texts::builtInTexts(), hooks);
  std::vector<std::string> movies;
  for (int i = 0; i < n * 20; ++i)
    movies.push_back("/movies/version" + std::to_string(version) + "/a rather long movie name " +
                     std::to_string(i) + ".avi");
  v.list->addMovies(movies);
  for (int i = 0; i < n; ++i) {
    moviememory::MovieRecord& r =
        v.memory.recordFor("movie " + std::to_string(i) + " v" + std::to_string(version) + ".mkv");
    r.Hue = (i + version) % 180;
    r.LastAccessed = 40000.0 + i;
  }
  for (int i = 0; i < n; ++i) {
    audio::PresetValues values{};
    values.fill(static_cast<std::int8_t>(version == 0 ? -i % 100 : i % 100));
    v.presets.emplace_back("Preset " + std::to_string(i), values);
  }
}

// Each write goes through the function the player calls on exit or on a change.
bool writeAll(Version& v) {
  bool ok =
      settings::SaveConfiguration(v.settings, v.folders, settings::ScreenGeometry{}, "No change");
  ok = v.list->saveAutomaticPlaylist(v.folders.DataFolder, crash::kProgramName) && ok;
  ok = v.memory.save(v.folders.DataFolder + crash::kMemoryFile) && ok;
  audio::PresetStore store(v.folders.DataFolder + crash::kPresetFile);
  store.read();
  while (!store.presets().empty()) store.remove(store.presets().size() - 1);
  for (const auto& [name, values] : v.presets) store.save(name, values);
  return store.write() && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string folder = argv[2];
  if (std::strcmp(argv[1], "once") == 0 && argc == 4) {
    Version v;
    build(v, folder, std::atoi(argv[3]));
    return writeAll(v) ? 0 : 1;
  }
  if (std::strcmp(argv[1], "loop") != 0) return 2;
  Version versions[2];
  build(versions[0], folder, 0);
  build(versions[1], folder, 1);
  if (::write(STDOUT_FILENO, "R", 1) != 1) return 1;
  for (int i = 1;; i ^= 1)
    if (!writeAll(versions[i])) return 1;
}
