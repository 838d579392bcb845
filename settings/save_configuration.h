#pragma once
#include <string>

#include "settings/folders.h"
#include "settings/settings.h"
#include "settings/settings_io.h"

namespace settings {

// Writes the settings to Folders::ConfigurationFile, creating DataFolder with
// its parents first. LastAccessedFolder is written as the current working
// folder. noChangeText is the current language's text for "No change".
// Returns false when the file could not be written; shows nothing itself.
bool SaveConfiguration(const Settings& s, const Folders& folders, const ScreenGeometry& screen,
                       const std::string& noChangeText);

}  // namespace settings
