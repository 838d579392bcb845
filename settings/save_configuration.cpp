#include "settings/save_configuration.h"

#include <filesystem>
#include <system_error>

#include "settings/configuration_file.h"

namespace settings {

bool SaveConfiguration(const Settings& s, const Folders& folders, const ScreenGeometry& screen,
                       const std::string& noChangeText) {
  std::error_code ec;
  std::string cwd = std::filesystem::current_path(ec).string();
  if (ec || cwd.empty()) cwd = s.LastAccessedFolder;
  std::filesystem::create_directories(folders.DataFolder, ec);
  return WriteConfigurationFile(folders.ConfigurationFile,
                                buildConfigurationValues(s, screen, noChangeText, cwd));
}

}  // namespace settings
