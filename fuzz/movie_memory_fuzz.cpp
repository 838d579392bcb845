// Remembered movie settings (".rs"): read from a file, and the records written
// back must read as the same records.
#include <cstdio>

#include "fuzz/fuzz_input.h"
#include "moviememory/movie_memory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const moviememory::FontInstalled fonts = [](const std::string& face) {
    return face.size() % 2 == 0;
  };
  moviememory::MovieMemory memory;
  memory.load(file.write(bytes), moviememory::MovieRecord{}, fonts);
  FUZZ_CHECK(memory.size() <= moviememory::kCapacity);

  const std::vector<moviememory::MovieRecord> records =
      moviememory::parseRecords(bytes, moviememory::MovieRecord{}, fonts);
  const std::string text = moviememory::formatRecords(records);
  const std::vector<moviememory::MovieRecord> again =
      moviememory::parseRecords(text, moviememory::MovieRecord{}, fonts);
  FUZZ_CHECK(moviememory::formatRecords(again) == text);
  if (!records.empty()) {
    memory.recordFor(records.front().Name);
    memory.recordFor("new movie.avi");
  }
  return 0;
}
