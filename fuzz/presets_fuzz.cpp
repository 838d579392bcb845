// Equalizer presets ("Presets.EQ"): read from a file, and the presets written
// back must read as the same presets.
#include <cstdio>

#include "audio/eq_presets.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  audio::PresetStore store(file.write(bytes));
  store.read();
  const std::vector<audio::EqPreset> presets = audio::parsePresets(bytes);
  FUZZ_CHECK(store.presets() == presets);
  for (const audio::EqPreset& p : presets)
    for (int v : p.values) FUZZ_CHECK(v >= -100 && v <= 100);
  FUZZ_CHECK(audio::parsePresets(audio::formatPresets(presets)) == presets);
  // A name as typed is made fit for the file.
  const std::string name = audio::cleanPresetName(bytes.substr(0, 64));
  if (!name.empty()) {
    const std::vector<audio::EqPreset> one = {{name, {}}};
    FUZZ_CHECK(audio::parsePresets(audio::formatPresets(one)) == one);
  }
  return 0;
}
