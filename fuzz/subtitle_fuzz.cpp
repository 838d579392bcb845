// Subtitle files in every format and encoding: decoding, detection, repair,
// parsing, timing, the due-entry index and the time corrections.
#include <cstdio>

#include "fuzz/fuzz_input.h"
#include "subtitles/subtitle_store.h"
#include "subtitles/subtitle_text.h"

namespace {

// Character sets of SubtitleFontScript: default, Central European, Cyrillic,
// Greek, Turkish, Hebrew, Arabic, Baltic, Thai, the East Asian ones, and
// numbers no code page stands for.
constexpr int kScripts[] = {1,   0,   238, 204, 161, 162, 177, 178, 186,
                            222, 128, 129, 134, 136, 2,   255, 77};
constexpr double kFrameRates[] = {25.0, 23.976, 29.97, 0.0, -1.0, 1e-9, 1000.0, 1e300};
constexpr int kDisplayTimes[] = {2200, 1000, 9999};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  fuzz::Choices choices(data, size);
  settings::Settings s;
  s.SubtitleFontScript = choices.pick(kScripts);
  s.AverageDisplayTime = choices.pick(kDisplayTimes);
  const double frameRate = choices.pick(kFrameRates);
  const double rescaleRate = choices.pick(kFrameRates);
  const bool autoCalculation = choices.byte() & 1;
  const std::string_view bytes = choices.rest();

  subtitles::SubtitleStore store;
  const subtitles::LoadResult loaded =
      store.LoadSubtitleData(bytes, "fuzz.srt", s, texts::builtInTexts(), frameRate);
  // The check of a file on disk accepts exactly what a load accepts, whatever
  // the frame rate (it only scales times).
  FUZZ_CHECK(subtitles::SubtitleStore::CheckSubtitleFile(file.write(bytes), s) == loaded.ok);
  if (!loaded.ok) return 0;
  FUZZ_CHECK(!store.entries().empty());

  store.RescaleFrameTimes(rescaleRate);
  store.ShiftSubtitleTimes(-1500, texts::builtInTexts());
  // Walk the movie forward through every entry boundary, then jump back.
  // ms; the probes go to UpdateSubtitle in 100 ns units (x 10000), which must
  // stay within 64 bits: 2^40 ms is about 35 years.
  constexpr std::int64_t kFar = std::int64_t{1} << 40;
  for (const subtitles::SubtitleEntry& e : store.entries()) {
    if (e.StartMs < -kFar || e.StartMs > kFar || e.EndMs < -kFar || e.EndMs > kFar ||
        e.DisplayMs > kFar)
      continue;
    for (std::int64_t t : {e.StartMs - 1, e.StartMs, e.StartMs + e.DisplayMs, e.EndMs}) {
      const int due = store.entryAt(t, autoCalculation);
      FUZZ_CHECK(due >= -1 && due < static_cast<int>(store.entries().size()));
      store.UpdateSubtitle(t * 10000, false, autoCalculation);
    }
  }
  store.entryAt(0, autoCalculation);
  return 0;
}
