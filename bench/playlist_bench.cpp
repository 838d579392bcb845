// Playlist speed: adding, sorting and writing a folder of 10,000 movies
// against a bare listing of that folder; adding a folder of 3,000 movies with
// AutoLoadSubtitle on against the same add with it off; Next and Previous in
// shuffle order against sequential Next, at 1,000 and 10,000 entries.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "texts/interface_texts.h"
#include "playlist/playlist.h"
#include "subtitles/subtitle_search.h"

namespace {

namespace fs = std::filesystem;

const fs::path& movieFolder() {
  static const fs::path folder = [] {
    const fs::path f = fs::temp_directory_path() / "tarvelino-bench-movies";
    fs::remove_all(f);
    fs::create_directories(f);
    for (int i = 0; i < 10000; ++i) {
      std::ofstream(f / ("Movie " + std::to_string((i * 7919) % 10000) + " part.avi"));
    }
    return f;
  }();
  return folder;
}

void BM_ListFolderBaseline(benchmark::State& state) {
  const fs::path& folder = movieFolder();
  for (auto _ : state) {
    std::size_t names = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names += entry.path().filename().string().size();
    }
    benchmark::DoNotOptimize(names);
  }
}
BENCHMARK(BM_ListFolderBaseline)->Unit(benchmark::kMillisecond);

void BM_AddSortWriteFolder(benchmark::State& state) {
  const fs::path& folder = movieFolder();
  const std::string out = (fs::temp_directory_path() / "tarvelino-bench.mpl").string();
  texts::InterfaceTexts texts;
  for (auto _ : state) {
    settings::Settings settings;
    playlist::Playlist model(settings, texts, {});
    model.addFolderWithMovies(folder.string());
    model.savePlaylist(out, true);
    benchmark::DoNotOptimize(model.count());
  }
  fs::remove(out);
}
BENCHMARK(BM_AddSortWriteFolder)->Unit(benchmark::kMillisecond);

// 3,000 movies; with subtitles, each has a SubRip file of the same name beside it.
const fs::path& subtitleMovieFolder(bool withSubtitles) {
  static const auto make = [](const char* name, bool subtitles) {
    const fs::path f = fs::temp_directory_path() / name;
    fs::remove_all(f);
    fs::create_directories(f);
    for (int i = 0; i < 3000; ++i) {
      const std::string base = "Film " + std::to_string((i * 7919) % 3000);
      std::ofstream(f / (base + ".avi"));
      if (subtitles) {
        std::ofstream srt(f / (base + ".srt"), std::ios::binary);
        for (int k = 0; k < 3; ++k)
          srt << k + 1 << "\r\n00:00:0" << k << ",000 --> 00:00:0" << k << ",900\r\nLine\r\n\r\n";
      }
    }
    return f;
  };
  static const fs::path bare = make("tarvelino-bench-films", false);
  static const fs::path paired = make("tarvelino-bench-films-srt", true);
  return withSubtitles ? paired : bare;
}

// Arguments: AutoLoadSubtitle (0 or 1), subtitle files beside the movies (0 or 1).
// The ratio of the AutoLoadSubtitle rows to the rows without it is the cost of
// the subtitle search on a folder add.
void BM_AddFolderAutoLoadSubtitle(benchmark::State& state) {
  const bool autoLoad = state.range(0) != 0;
  const fs::path& folder = subtitleMovieFolder(state.range(1) != 0);
  texts::InterfaceTexts texts;
  for (auto _ : state) {
    settings::Settings settings;
    settings.AutoLoadSubtitle = autoLoad;
    playlist::PlaylistHooks hooks;
    hooks.searchSubtitles = [&settings](const std::vector<std::string>& movies) {
      return subtitles::SearchSubtitles(movies, settings);
    };
    playlist::Playlist model(settings, texts, hooks);
    model.addFolderWithMovies(folder.string());
    benchmark::DoNotOptimize(model.count());
  }
}
BENCHMARK(BM_AddFolderAutoLoadSubtitle)
    ->ArgNames({"auto", "srt"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// A list of n entries whose files all "exist", with a player that opens nothing.
struct NavigationFixture {
  settings::Settings settings;
  texts::InterfaceTexts texts;
  playlist::Playlist model;
  explicit NavigationFixture(int n, bool shuffle) : model(settings, texts, hooks()) {
    settings.RepeatStatus = 2;
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i) paths.push_back("/none/movie" + std::to_string(i) + ".avi");
    model.addMovies(paths);
    model.setShuffle(shuffle);
  }
  static playlist::PlaylistHooks hooks() {
    playlist::PlaylistHooks h;
    h.fileExists = [](const std::string&) { return true; };
    return h;
  }
};

void BM_SequentialNextBaseline(benchmark::State& state) {
  NavigationFixture f(static_cast<int>(state.range(0)), false);
  for (auto _ : state) f.model.next();
}
BENCHMARK(BM_SequentialNextBaseline)->Arg(1000)->Arg(10000);

void BM_ShuffleNext(benchmark::State& state) {
  NavigationFixture f(static_cast<int>(state.range(0)), true);
  for (auto _ : state) f.model.next();
}
BENCHMARK(BM_ShuffleNext)->Arg(1000)->Arg(10000);

// Two steps forward, one back: the history grows while Previous walks it.
void BM_ShuffleNextNextPrevious(benchmark::State& state) {
  NavigationFixture f(static_cast<int>(state.range(0)), true);
  for (auto _ : state) {
    f.model.next();
    f.model.next();
    f.model.previous();
  }
}
BENCHMARK(BM_ShuffleNextNextPrevious)->Arg(1000)->Arg(10000);

}  // namespace
