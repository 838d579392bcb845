// Parsing the German language file against copying its bytes line by line, and
// Central European lower-casing against an ASCII-only fold of the same text.
#include <benchmark/benchmark.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>

#include "texts/central_european.h"
#include "texts/language_file.h"

namespace {

const std::string& germanFile() {
  static const std::string content = [] {
    std::ifstream in(std::string(TEXTS_BENCH_SOURCE_DIR) + "/resources/lang/Deutsch.lng",
                     std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }();
  return content;
}

// Baseline: split the file into lines and copy each one.
void BM_SplitLinesBaseline(benchmark::State& state) {
  const std::string& text = germanFile();
  for (auto _ : state) {
    std::size_t pos = 0, count = 0;
    while (pos < text.size()) {
      std::size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      benchmark::DoNotOptimize(line);
      count += line.size();
      pos = end + 1;
    }
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SplitLinesBaseline);

void BM_ParseGermanLanguageFile(benchmark::State& state) {
  const std::string& text = germanFile();
  texts::InterfaceTexts table;
  for (auto _ : state) {
    auto status = texts::parseLanguageText(text, table);
    benchmark::DoNotOptimize(status);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseGermanLanguageFile);

void BM_AsciiLowerBaseline(benchmark::State& state) {
  const std::string& text = germanFile();
  for (auto _ : state) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_AsciiLowerBaseline);

void BM_LowerCaseCentralEuropean(benchmark::State& state) {
  const std::string& text = germanFile();
  for (auto _ : state) {
    std::string out = texts::lowerCaseCentralEuropean(text);
    benchmark::DoNotOptimize(out);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LowerCaseCentralEuropean);

}  // namespace
