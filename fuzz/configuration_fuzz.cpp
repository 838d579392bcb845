// The configuration file: its reader, and the values applied to settings and
// written back.
#include <cstdio>

#include "settings/configuration_file.h"
#include "settings/settings_io.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> values = settings::parseConfigurationText(bytes);
  FUZZ_CHECK(values.size() <= settings::kKeyCount);
  FUZZ_CHECK(settings::ReadConfigurationFile(file.write(bytes)) == values);

  settings::Settings s;
  settings::ScreenGeometry screen;
  settings::ApplyContext context;
  context.screen = screen;
  // Answers from the name alone keep the run independent of this machine.
  context.fontInstalled = [](const std::string& face) { return face.size() % 2 == 0; };
  context.folderExists = [](const std::string& folder) { return folder.size() % 3 == 0; };
  settings::applyConfigurationValues(values, s, context);
  const std::vector<std::string> written =
      settings::buildConfigurationValues(s, screen, "No change", "/tmp/");
  FUZZ_CHECK(written.size() == settings::kKeyCount);

  // What the player writes from settings it read reads back to the same settings.
  settings::Settings again;
  settings::applyConfigurationValues(written, again, context);
  FUZZ_CHECK(settings::buildConfigurationValues(again, screen, "No change", "/tmp/") == written);
  return 0;
}
