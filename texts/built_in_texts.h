#pragma once
// Raw built-in English values, as the table is assembled from them.
#include <array>

#include "texts/interface_texts.h"

namespace texts::builtin {

extern const std::array<const char*, 67> kMessages;
extern const std::array<const char*, 32> kHints;
extern const std::array<const char*, 44> kLabels;
extern const std::array<const char*, 15> kButtons;
extern const std::array<const char*, 12> kOptions;
extern const std::array<const char*, 4> kPages;
extern const std::array<const char*, 15> kTitles;
extern const std::array<const char*, 72> kMenus;
extern const std::array<const char*, 4> kMiscFilters;  // Misc[1]..Misc[4]
extern const char* const kKeyDefinitionsHeader;
extern const std::array<const char*, 67> kKeyDefinitionLines;

}  // namespace texts::builtin

namespace texts::detail {

// Replaces the current table wholesale; only the language file loader calls it.
void replaceCurrentTexts(InterfaceTexts texts);

}  // namespace texts::detail
