// Remembered settings speed: loading and writing a full 200-record file
// against a bare read and a bare write of the same bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "moviememory/movie_memory.h"
#include "moviememory/rs_values.h"

namespace {

namespace fs = std::filesystem;

const std::string& fullFile() {
  static const std::string path = [] {
    const std::string p = (fs::temp_directory_path() / "tarvelino-bench.rs").string();
    moviememory::MovieMemory memory;
    for (int i = 0; i < 200; ++i) {
      moviememory::MovieRecord& r =
          memory.recordFor("A movie with a long name " + std::to_string(i) + ".mkv");
      r.LastAccessed = 40000 + i + 0.5;
      r.SubtitleFontName = "DejaVu Sans";
      for (int b = 0; b < 9; ++b) r.BookMark[b] = "01:02:0" + std::to_string(b);
    }
    memory.save(p);
    return p;
  }();
  return path;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(fs::file_size(path), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

void BM_ReadFileBaseline(benchmark::State& state) {
  const std::string& path = fullFile();
  for (auto _ : state) benchmark::DoNotOptimize(readAll(path));
}
BENCHMARK(BM_ReadFileBaseline)->Unit(benchmark::kMicrosecond);

void BM_LoadFullStore(benchmark::State& state) {
  const std::string& path = fullFile();
  moviememory::MovieMemory memory;
  for (auto _ : state) {
    memory.load(path, moviememory::MovieRecord{});
    benchmark::DoNotOptimize(memory.size());
  }
}
BENCHMARK(BM_LoadFullStore)->Unit(benchmark::kMicrosecond);

void BM_WriteFileBaseline(benchmark::State& state) {
  const std::string bytes = readAll(fullFile());
  const std::string out = fullFile() + ".out";
  for (auto _ : state) std::ofstream(out, std::ios::binary) << bytes;
  fs::remove(out);
}
BENCHMARK(BM_WriteFileBaseline)->Unit(benchmark::kMicrosecond);

// The store's save also flushes the file to disk before renaming it.
void BM_SaveFullStore(benchmark::State& state) {
  moviememory::MovieMemory memory;
  memory.load(fullFile(), moviememory::MovieRecord{});
  const std::string out = fullFile() + ".out";
  for (auto _ : state) memory.save(out);
  fs::remove(out);
}
BENCHMARK(BM_SaveFullStore)->Unit(benchmark::kMicrosecond);

}  // namespace
