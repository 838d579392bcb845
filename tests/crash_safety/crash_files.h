#pragma once
// The files crash_writer writes into its folder, as the player names them for
// the program name "Tarvelino".
namespace crash {
inline constexpr const char* kProgramName = "Tarvelino";
inline constexpr const char* kConfigurationFile = "Tarvelino.ini";
inline constexpr const char* kPlaylistFile = "Tarvelino.mpl";
inline constexpr const char* kMemoryFile = "Tarvelino.rs";
inline constexpr const char* kPresetFile = "Presets.EQ";
inline constexpr const char* kFiles[] = {kConfigurationFile, kPlaylistFile, kMemoryFile,
                                         kPresetFile};
}  // namespace crash
