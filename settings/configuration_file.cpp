#include "settings/configuration_file.h"

#include <limits>
#include <unordered_map>

#include "settings/atomic_file.h"

namespace settings {

namespace {

constexpr std::string_view kHeader = "[Configuration]";

const std::unordered_map<std::string_view, int>& keyMap() {
  static const auto map = [] {
    std::unordered_map<std::string_view, int> m;
    const auto& keys = ConfigurationKeys();
    for (int i = 0; i < kKeyCount; ++i) m.emplace(keys[i], i);
    return m;
  }();
  return map;
}

// Splits text into lines at CR LF, LF or a lone CR and hands each to f.
template <typename F>
void forEachLine(std::string_view text, F&& f) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (!f(text.substr(start, end - start))) return;
    if (end == text.size()) return;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

}  // namespace

const std::array<const char*, kKeyCount>& ConfigurationKeys() {
  static const std::array<const char*, kKeyCount> keys = {"LastAccessedFolder",
                                                          "FileTypes",
                                                          "FileAssociation",
                                                          "RegisterExtensionsOnLoad",
                                                          "AutoPlayOnLoad",
                                                          "AutoHideMainWindow",
                                                          "AutoCloseVideoWindow",
                                                          "CloseFileWhenFinished",
                                                          "AutoClosePlayerWhenFinished",
                                                          "FullscreenModeSwitch",
                                                          "TransparentBackground",
                                                          "UseOutlineFont",
                                                          "AutoResizeFont",
                                                          "AutoLoadSubtitle",
                                                          "AutoSplitLine",
                                                          "WrapAllText",
                                                          "AutoCalculationTime",
                                                          "AverageDisplayTime",
                                                          "AverageVerticalDisplayZone",
                                                          "HorizontalDisplayArea",
                                                          "SubtitleFontName",
                                                          "SubtitleSize",
                                                          "SubtitleFontColor",
                                                          "SubtitleFontStyle",
                                                          "SubtitleFontScript",
                                                          "SubtitleDirectory",
                                                          "SearchHereFirst",
                                                          "RememberSubtitleSettings",
                                                          "FullscreenOnLoad",
                                                          "MovieModeOnLoad",
                                                          "RememberPanScanSettings",
                                                          "AutomaticPanScan",
                                                          "LoadAtOriginalMovieSize",
                                                          "PauseOnMinimize",
                                                          "SecondesToJump",
                                                          "SecondesToFastJump",
                                                          "BrightnessControl",
                                                          "ContrastControl",
                                                          "HueControl",
                                                          "SaturationControl",
                                                          "MainXPosition",
                                                          "MainYPosition",
                                                          "VideoWindowXPosition",
                                                          "VideoWindowYPosition",
                                                          "VideoWindowHeight",
                                                          "VideoWindowWidth",
                                                          "RememberMovieSettings",
                                                          "RememberLastMoviePosition",
                                                          "DisplayHintInPlaylist",
                                                          "PanScanSize",
                                                          "AudioVolume",
                                                          "Mute",
                                                          "PlaylistXPosition",
                                                          "PlaylistYPosition",
                                                          "PlayListHeight",
                                                          "PlayListWidth",
                                                          "PlaylistFontSize",
                                                          "PlayListShow",
                                                          "ShowSubtitlesInPlaylist",
                                                          "LastMovieSelectedInPlaylist",
                                                          "OSDDisplay",
                                                          "RecentFile1",
                                                          "RecentFile2",
                                                          "RecentFile3",
                                                          "RecentFile4",
                                                          "RecentFile5",
                                                          "KeepAspectRatio",
                                                          "AllowMultipleInstances",
                                                          "RepeatStatus",
                                                          "LastUsedLanguage",
                                                          "EqualizerSettings",
                                                          "EqualizerXPosition",
                                                          "EqualizerYPosition",
                                                          "EqualizerShow",
                                                          "CpuPriority",
                                                          "ShowFrames",
                                                          "DynamicAmplification",
                                                          "DoNotShowOverlayMessage",
                                                          "DisableExternalSubtitleFilters",
                                                          "OsdSize",
                                                          "OsdColor",
                                                          "FirstRun",
                                                          "SubtitleShadowEffect",
                                                          "RememberPreviousMovieSettings",
                                                          "LoadEntireFolder",
                                                          "CaptureFolder",
                                                          "CaptureType",
                                                          "BossKey",
                                                          "BossKeyHide",
                                                          "BossKeyShow",
                                                          "Shuffle",
                                                          "DontShowRegistryError",
                                                          "DontShowWritingError"};
  return keys;
}

int keyIndex(std::string_view key) {
  auto it = keyMap().find(key);
  return it == keyMap().end() ? -1 : it->second;
}

std::vector<std::string> parseConfigurationText(std::string_view bytes) {
  std::vector<std::string> values;
  // A hand-edited file saved with a UTF-8 byte-order mark is still ours.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  bool first = true;
  bool foreign = false;
  forEachLine(bytes, [&](std::string_view line) {
    if (first) {
      first = false;
      foreign = line != kHeader;
      return !foreign;
    }
    if (line.size() > kMaxLineBytes) return true;
    // Keys hold no "=", so the text before the first "=" is the only key the
    // line can begin with; the value is the rest, untrimmed.
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return true;
    int index = keyIndex(line.substr(0, eq));
    if (index < 0) return true;
    if (values.size() <= static_cast<size_t>(index)) values.resize(index + 1);
    values[index] = std::string(line.substr(eq + 1));
    return true;
  });
  if (foreign) values.clear();
  return values;
}

std::vector<std::string> ReadConfigurationFile(const std::string& path) {
  // The file is read in one piece but never beyond a bound: a settings file is
  // a few kilobytes, anything past 64 MiB is not one of ours. A pipe or device
  // in its place reads as no file, so the start never waits on it.
  constexpr std::size_t kMaxFileBytes = 64 << 20;
  std::string bytes;
  readRegularFile(path, std::numeric_limits<std::uintmax_t>::max(), [&](std::string_view piece) {
    bytes.append(piece.substr(0, kMaxFileBytes - bytes.size()));
    return bytes.size() < kMaxFileBytes;
  });
  // Reading stops at the first read error; what was read until then is kept.
  return parseConfigurationText(bytes);
}

bool WriteConfigurationFile(const std::string& path, const std::vector<std::string>& values) {
  std::string text(kHeader);
  text += "\r\n";
  const auto& keys = ConfigurationKeys();
  for (int i = 0; i < kKeyCount; ++i) {
    text += keys[i];
    text += '=';
    if (static_cast<size_t>(i) < values.size()) text += values[i];
    text += "\r\n";
  }
  return writeFileAtomically(path, text);
}

}  // namespace settings
