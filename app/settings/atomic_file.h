#pragma once
// Writing the player's files so that a crash never leaves a half file.
#include <string>
#include <string_view>

namespace settings {

// Writes bytes to a temporary file in path's folder, flushes it to disk and
// renames it over path. Returns false (and leaves any old file untouched) when
// any step fails.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole regular file into text. A missing file reads as empty and
// succeeds; a file that exists but is not regular or cannot be read fails.
bool readWholeFile(const std::string& path, std::string& text);

}  // namespace settings
