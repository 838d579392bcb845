// Remembered movie settings (".rs"): read from a file, and the records written
// back must read as the same records.
#include <cstdio>

#include "fuzz/fuzz_input.h"
#include "moviememory/movie_memory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Installed faces are told apart by the name alone; no face name holds a
  // control character.
  const moviememory::FontInstalled fonts = [](const std::string& face) {
    for (char c : face)
      if (static_cast<unsigned char>(c) < 0x20) return false;
    return face.size() % 2 == 0;
  };
  // Missing fields start from the live settings, which are always in range.
  moviememory::MovieRecord defaults;
  defaults.VideoWindowWidth = 320;
  defaults.VideoWindowHeight = 240;
  defaults.SubtitleFontName = "Arial";
  moviememory::MovieMemory memory;
  memory.load(file.write(bytes), defaults, fonts);
  FUZZ_CHECK(memory.size() <= moviememory::kCapacity);

  const std::vector<moviememory::MovieRecord> records =
      moviememory::parseRecords(bytes, defaults, fonts);
  const std::string text = moviememory::formatRecords(records);
  const std::vector<moviememory::MovieRecord> again =
      moviememory::parseRecords(text, defaults, fonts);
  FUZZ_CHECK(moviememory::formatRecords(again) == text);
  if (!records.empty()) {
    memory.recordFor(records.front().Name);
    memory.recordFor("new movie.avi");
  }
  return 0;
}
