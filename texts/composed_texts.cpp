#include "texts/composed_texts.h"

#include <algorithm>
#include <array>

namespace texts {

namespace {

constexpr int kNoKeyName = -1;
constexpr int kLeft = 64, kRight = 65, kDown = 66, kUp = 67;

// One caption: Menus[text] + keys + Menus[key_name] (when key_name is set).
struct CaptionRule {
  const char* item;
  int text;
  const char* keys;
  int key_name;
};

constexpr std::array<CaptionRule, 59> kMainMenu = {{
    {"OpenMovieMenu", 0, "Ctrl+O", kNoKeyName},
    {"LoadSubtitleMenu", 1, "Ctrl+L", kNoKeyName},
    {"RecentFilesMenu", 2, "", kNoKeyName},
    {"ClearHistoryMenu", 3, "", kNoKeyName},
    {"PlayControlMenu", 4, "", kNoKeyName},
    {"PlayMenu", 5, "X", kNoKeyName},
    {"StopMenu", 6, "V", kNoKeyName},
    {"PauseMenu", 7, "C", kNoKeyName},
    {"RewindMenu", 8, "", kLeft},
    {"ForwardMenu", 9, "", kRight},
    {"FastRewindMenu", 10, "Ctrl+", kLeft},
    {"FastForwardMenu", 11, "Ctrl+", kRight},
    {"JumpToTimeMenu", 12, "Ctrl+J", kNoKeyName},
    {"BookmarksMenu", 13, "", kNoKeyName},
    {"AddBookmarkMenu", 14, "Alt+I", kNoKeyName},
    {"ClearBookmarksMenu", 15, "Shift+C", kNoKeyName},
    {"VideoMenu", 16, "", kNoKeyName},
    {"ChangeResolutionMenu", 17, "", kNoKeyName},
    {"FullScreenMenu", 18, "F", kNoKeyName},
    {"ColorControlMenu", 19, "Ctrl+C", kNoKeyName},
    {"MovieModeMenu", 20, "M", kNoKeyName},
    {"AspectRatioMenu", 21, "", kNoKeyName},
    {"OriginalRatioMenu", 22, "Ctrl+1", kNoKeyName},
    {"N169RatioMenu", 23, "Ctrl+2", kNoKeyName},
    {"N43RatioMenu", 24, "Ctrl+3", kNoKeyName},
    {"N11RatioMenu", 25, "Ctrl+4", kNoKeyName},
    {"FreeRatioMenu", 26, "Ctrl+5", kNoKeyName},
    {"CustomRatioMenu", 27, "A", kNoKeyName},
    {"PanScanMenu", 28, "", kNoKeyName},
    {"PanInMenu", 29, "+", kNoKeyName},
    {"PanOutMenu", 30, "-", kNoKeyName},
    {"AutomaticMenu", 31, "*", kNoKeyName},
    {"CustomPanScanMenu", 32, "P", kNoKeyName},
    {"WindowSizeMenu", 33, "", kNoKeyName},
    {"SendWindowToMenu", 69, "", kNoKeyName},
    {"AudioMenu", 34, "", kNoKeyName},
    {"VolumeUpMenu", 35, "", kUp},
    {"VolumeDownMenu", 36, "", kDown},
    {"EqualizerMenu", 37, "E", kNoKeyName},
    {"SubtitleMenu", 38, "", kNoKeyName},
    {"FontMenu", 39, "Ctrl+F", kNoKeyName},
    {"DisableSubtitleMenu", 40, "S", kNoKeyName},
    {"DecreaseTimeMenu", 41, "Alt+", kLeft},
    {"IncreaseTimeMenu", 42, "Alt+", kRight},
    {"MoveSubtitleUpMenu", 43, "Shift+", kUp},
    {"MoveSubtitleDownMenu", 44, "Shift+", kDown},
    {"IncreaseFontSizeMenu", 45, "Ctrl+", kUp},
    {"DecreaseFontSizeMenu", 46, "Ctrl+", kDown},
    {"AdvancedMenu", 47, "", kNoKeyName},
    {"FiltersMenu", 48, "", kNoKeyName},
    {"ConfigurationMenu", 49, "Ctrl+P", kNoKeyName},
    {"KeyboardDefinitionsMenu", 50, "F1", kNoKeyName},
    {"PlaylistMenu", 51, "F10", kNoKeyName},
    {"AlwaysOnTopMenu", 52, "T", kNoKeyName},
    {"AboutMenu", 53, "Ctrl+F1", kNoKeyName},
    {"TurnOffComputerMenu", 54, "Ctrl+T", kNoKeyName},
    {"ExitMenu", 55, "", kNoKeyName},
    {"DynamicAmplificationMenu", 68, "", kNoKeyName},
    {"CaptureFrameMenu", 71, "Alt+C", kNoKeyName},
}};

constexpr std::array<CaptionRule, 8> kPlaylistMenu = {{
    {"AddMovieMenu", 56, "", kNoKeyName},
    {"AddFolderMenu", 57, "", kNoKeyName},
    {"ReplaceMovieMenu", 58, "", kNoKeyName},
    {"RemoveMenu", 59, "", kNoKeyName},
    {"RemoveAllMenu", 60, "", kNoKeyName},
    {"SortByFilenameMenu", 61, "", kNoKeyName},
    {"RandomizeMenu", 62, "", kNoKeyName},
    {"AddSubtitleMenu", 63, "", kNoKeyName},
}};

template <std::size_t N>
std::vector<MenuCaption> compose(const InterfaceTexts& t, const std::array<CaptionRule, N>& rules) {
  std::vector<MenuCaption> captions;
  captions.reserve(N);
  for (const CaptionRule& rule : rules) {
    std::string caption = t.Menus[rule.text] + rule.keys;
    if (rule.key_name != kNoKeyName) caption += t.Menus[rule.key_name];
    captions.push_back({rule.item, std::move(caption)});
  }
  return captions;
}

std::string extensionRun(const std::vector<std::string>& extensions) {
  std::string run;
  for (const std::string& ext : extensions) run += "*." + ext + ";";
  return run;
}

}  // namespace

std::string subtitleOpenFilter(const InterfaceTexts& t) {
  return t.Misc[1] + "|*.sub;*.srt;*.txt;*.ssa|" + t.Misc[2] + "|*.*";
}

std::string movieOpenFilter(const InterfaceTexts& t, const std::vector<std::string>& extensions) {
  if (extensions.empty()) return t.Misc[2] + "|*.*";
  return t.Misc[3] + "|" + extensionRun(extensions) + "*.mpl|" + t.Misc[2] + "|*.*";
}

std::string playlistAddMoviesFilter(const InterfaceTexts& t,
                                    const std::vector<std::string>& extensions) {
  if (extensions.empty()) return t.Misc[2] + "|*.*";
  return t.Misc[3] + "|" + extensionRun(extensions) + "|" + t.Misc[2] + "|*.*";
}

std::string playlistFileFilter(const InterfaceTexts& t) {
  return t.Misc[4] + " (*.mpl)|*.mpl|" + t.Misc[2] + "|*.*";
}

std::string toQtFilter(std::string_view filter) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t bar = filter.find('|');
    parts.push_back(filter.substr(0, bar));
    if (bar == std::string_view::npos) break;
    filter.remove_prefix(bar + 1);
  }
  std::string out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns;
    std::string_view list = parts[i + 1];
    while (!list.empty()) {
      const std::size_t semicolon = list.find(';');
      std::string_view pattern = list.substr(0, semicolon);
      list.remove_prefix(semicolon == std::string_view::npos ? list.size() : semicolon + 1);
      if (pattern.empty()) continue;
      if (!patterns.empty()) patterns += ' ';
      patterns += pattern == "*.*" ? std::string_view("*") : pattern;
    }
    if (!out.empty()) out += ";;";
    out += std::string(parts[i]) + " (" + patterns + ")";
  }
  return out;
}

std::vector<MenuCaption> mainMenuCaptions(const InterfaceTexts& t) {
  return compose(t, kMainMenu);
}

std::vector<MenuCaption> playlistMenuCaptions(const InterfaceTexts& t) {
  return compose(t, kPlaylistMenu);
}

std::string menuCaption(const std::vector<MenuCaption>& captions, std::string_view item) {
  const auto it = std::find_if(captions.begin(), captions.end(),
                               [item](const MenuCaption& c) { return item == c.item; });
  return it == captions.end() ? std::string() : it->caption;
}

const std::string& repeatLabel(const InterfaceTexts& t, int repeatStatus) {
  return t.Labels[32 + std::clamp(repeatStatus, 0, 2)];
}

int colorLabelLeft(int widestPx) {
  return (97 - widestPx) / 2 + 2;
}

}  // namespace texts
