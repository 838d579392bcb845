// Loading a 1 MiB SubRip file (read, check, detect, repair, parse, finish, display
// lines) against the baseline of only reading the same file into memory; loading a
// 1 MiB SSA file whose text is full of "\N" line breaks against the same file
// without them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "texts/built_in_texts.h"
#include "subtitles/subtitle_store.h"

namespace {

std::string timeText(int64_t ms) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d,%03d", static_cast<int>(ms / 3600000),
                static_cast<int>(ms / 60000 % 60), static_cast<int>(ms / 1000 % 60),
                static_cast<int>(ms % 1000));
  return buf;
}

// A SubRip file of about 1 MiB; with `damaged`, every fourth entry lacks the blank
// line before its number and uses "." in its times, so the repair has work to do.
const std::string& subtitlePath(bool damaged) {
  static std::string paths[2];
  std::string& path = paths[damaged];
  if (!path.empty()) return path;
  path = (std::filesystem::temp_directory_path() /
          (std::string("tarvelino_bench_") + (damaged ? "damaged" : "clean") + ".srt"))
             .string();
  std::ostringstream out;
  for (int i = 1; out.tellp() < 1048576 - 200; ++i) {
    const int64_t start = i * 2500LL;
    std::string line = timeText(start) + " --> " + timeText(start + 2000);
    if (damaged && i % 4 == 0) std::replace(line.begin(), line.end(), ',', '.');
    out << i << "\r\n"
        << line << "\r\n<i>Line number " << i << " of the dialogue</i>\r\n"
        << "- And a second line, a little longer.\r\n";
    if (!damaged || i % 4 != 3) out << "\r\n";
  }
  std::ofstream(path, std::ios::binary) << out.str();
  return path;
}

void BM_ReadFileBaseline(benchmark::State& state) {
  const std::string& path = subtitlePath(false);
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::filesystem::file_size(path), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
BENCHMARK(BM_ReadFileBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadSubRip(benchmark::State& state) {
  const std::string& path = subtitlePath(state.range(0) != 0);
  settings::Settings s;
  subtitles::SubtitleStore store;
  for (auto _ : state) {
    auto result = store.LoadSubtitle(path, s, texts::builtInTexts());
    if (!result.ok) state.SkipWithError(result.message.c_str());
  }
  state.counters["entries"] = static_cast<double>(store.entries().size());
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
BENCHMARK(BM_LoadSubRip)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CheckSubRip(benchmark::State& state) {
  const std::string& path = subtitlePath(false);
  settings::Settings s;
  for (auto _ : state)
    benchmark::DoNotOptimize(subtitles::SubtitleStore::CheckSubtitleFile(path, s));
}
BENCHMARK(BM_CheckSubRip)->Unit(benchmark::kMillisecond);

// An SSA file of about 1 MiB: twenty dialogue lines sharing the size. With
// `breaks` every third character of the texts starts a "\N" marker, else the
// texts are plain letters of the same length.
const std::string& ssaPath(bool breaks) {
  static std::string paths[2];
  std::string& path = paths[breaks];
  if (!path.empty()) return path;
  path = (std::filesystem::temp_directory_path() /
          (std::string("tarvelino_bench_") + (breaks ? "breaks" : "plain") + ".ssa"))
             .string();
  const std::string piece = breaks ? "a\\N" : "abc";
  std::string text;
  while (text.size() < 1048576 / 20 - 80) text += piece;
  std::string file;
  for (int i = 0; i < 20; ++i)
    file += "Dialogue: Marked=0,0:00:" + std::to_string(10 + i) +
            ".00,0:00:" + std::to_string(11 + i) + ".00,Default,,0000,0000,0000,," + text + "\r\n";
  std::ofstream(path, std::ios::binary) << file;
  return path;
}

void BM_LoadSsa(benchmark::State& state) {
  const std::string& path = ssaPath(state.range(0) != 0);
  settings::Settings s;
  subtitles::SubtitleStore store;
  for (auto _ : state) {
    auto result = store.LoadSubtitle(path, s, texts::builtInTexts());
    if (!result.ok) state.SkipWithError(result.message.c_str());
  }
  state.counters["lines"] = static_cast<double>(store.entries().front().Lines.size());
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
// 0: plain texts (the baseline), 1: texts full of line breaks.
BENCHMARK(BM_LoadSsa)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One periodic step per 20 ms of movie time, playing forward through the whole file.
void BM_UpdateSubtitlePlaying(benchmark::State& state) {
  settings::Settings s;
  subtitles::SubtitleStore store;
  store.LoadSubtitle(subtitlePath(false), s, texts::builtInTexts());
  const int64_t endMs = store.entries().back().EndMs;
  int64_t ms = 0;
  bool empty = true;
  for (auto _ : state) {
    ms = ms >= endMs ? 0 : ms + 20;
    auto step = store.UpdateSubtitle(ms * 10000, empty, false);
    if (step.change != subtitles::SubtitleChange::None)
      empty = step.change == subtitles::SubtitleChange::Clear;
    benchmark::DoNotOptimize(step);
  }
}
BENCHMARK(BM_UpdateSubtitlePlaying);

}  // namespace
