#pragma once
// The configuration file: "[Configuration]" followed by one key=value line per
// setting, in the fixed key order. Values are raw texts; turning them into
// settings (validation, clamping) is done by settings_io.h.
#include <array>
#include <string>
#include <vector>

namespace settings {

inline constexpr int kKeyCount = 93;

// The 93 configuration keys in file order.
const std::array<const char*, kKeyCount>& ConfigurationKeys();

// Index of a key in ConfigurationKeys(), or -1.
int keyIndex(std::string_view key);

// Reads the values of a configuration file. The result has one entry per key
// that was found (index = key index); it is shorter than kKeyCount when later
// keys are missing, and empty when the file is missing, unreadable or foreign
// (its first line is not exactly "[Configuration]"). Accepts CR LF, LF and CR
// line ends and a leading UTF-8 byte-order mark. Lines longer than
// kMaxLineBytes are ignored, so memory stays bounded for any input.
std::vector<std::string> ReadConfigurationFile(const std::string& path);

// Parses the bytes of a configuration file (the reader's core, for tests).
std::vector<std::string> parseConfigurationText(std::string_view bytes);

inline constexpr size_t kMaxLineBytes = 1 << 20;

// Writes "[Configuration]" and every key=value line with CR LF line ends.
// The file is written to a temporary file beside it and renamed into place, so
// a crash never leaves a half file. values may be shorter than kKeyCount
// (missing values are written empty). Returns false when it cannot be written.
bool WriteConfigurationFile(const std::string& path, const std::vector<std::string>& values);

}  // namespace settings
