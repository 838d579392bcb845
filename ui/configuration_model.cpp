#include "ui/configuration_model.h"

#include <algorithm>
#include <cmath>

#include "settings/settings_io.h"

namespace config {

namespace {

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string toUpper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), upper);
  return out;
}

std::string toLower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), lower);
  return out;
}

bool equalNoCase(std::string_view a, std::string_view b) {
  return toLower(a) == toLower(b);
}

// The settings value each numeric field edits.
int settingOf(Field f, const settings::Settings& s) {
  switch (f) {
    case Field::PlaylistFontSize:
      return s.PlaylistFontSize;
    case Field::MaxVZone:
      return s.AverageVerticalDisplayZone;
    case Field::MaxHZone:
      return s.HorizontalDisplayArea;
    case Field::SubtitleSize:
      return s.SubtitleSize;
    case Field::AverageDisplayTime:
      return s.AverageDisplayTime;
    case Field::SecJump:
      return s.SecondesToJump;
    case Field::SecFastJump:
      return s.SecondesToFastJump;
    case Field::OsdSize:
      return s.OsdSize;
  }
  return 0;
}

// Rounds halves to even, as the player's other size arithmetic does.
int roundEven(double x) {
  return static_cast<int>(std::nearbyint(x));
}

}  // namespace

FieldRule fieldRule(Field field) {
  switch (field) {
    case Field::PlaylistFontSize:
      return {2, 1, 50};
    case Field::MaxVZone:
      return {2, 0, 50};
    case Field::MaxHZone:
      return {3, 1, 100};
    case Field::SubtitleSize:
      return {4, 10, 1000};
    case Field::AverageDisplayTime:
      return {4, 1000, 9999};
    case Field::SecJump:
      return {2, 1, 99};
    case Field::SecFastJump:
      return {3, 1, 999};
    case Field::OsdSize:
      return {3, 10, 500};
  }
  return {1, 0, 9};
}

std::string digitsInput(Field field, std::string_view text) {
  const size_t max = static_cast<size_t>(fieldRule(field).maxChars);
  std::string out;
  for (char c : text)
    if (c >= '0' && c <= '9' && out.size() < max) out += c;
  return out;
}

int fieldValue(Field field, std::string_view text, int settingValue) {
  // Every digit counts (the field's length limits typing, not this rule), so
  // a longer number is clamped instead of cut; parseInt saturates huge ones.
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  int n = 0;
  if (digits.empty() || !settings::parseInt(digits, n)) return settingValue;
  const FieldRule r = fieldRule(field);
  return std::clamp(n, r.min, r.max);
}

std::string leaveField(Field field, std::string_view text, int settingValue) {
  return std::to_string(fieldValue(field, text, settingValue));
}

std::string extensionNameInput(std::string_view text) {
  std::string out;
  for (char c : text) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                    c == '+' || c == '_' || c == '-';
    if (ok && out.size() < static_cast<size_t>(kMaxExtensionChars)) out += c;
  }
  return out;
}

Controls controlsFromSettings(const settings::Settings& s, const LiveState& live,
                              const std::string& language) {
  Controls c;
  for (const std::string& e : s.ExtensionList) c.extensions.push_back(toUpper(e));
  c.marks = live.marks;
  c.marks.resize(c.extensions.size(), false);
  c.registerOnLoad = s.RegisterExtensionsOnLoad;
  c.general = {s.AutoPlayOnLoad,
               s.AutoHideMainWindow,
               s.AutoCloseVideoWindow,
               s.CloseFileWhenFinished,
               s.AutoClosePlayerWhenFinished,
               s.RememberMovieSettings,
               s.RememberLastMoviePosition,
               s.DisplayHintInPlaylist,
               s.AllowMultipleInstances,
               s.LoadEntireFolder};
  c.fullModeSwitch = s.FullscreenModeSwitch;
  c.priorityIndex = live.priorityLevel;
  c.bossKey = s.BossKey;
  c.bossKeyHide = s.BossKeyHide;
  c.bossKeyShow = s.BossKeyShow;
  c.subtitle1 = {s.TransparentBackground, s.UseOutlineFont, s.SubtitleShadowEffect,
                 s.AutoResizeFont};
  c.subtitle2 = {s.AutoLoadSubtitle,
                 s.AutoSplitLine,
                 s.WrapAllText,
                 s.AutoCalculationTime,
                 s.RememberSubtitleSettings,
                 s.DisableExternalSubtitleFilters};
  c.averageDisplayTime = std::to_string(s.AverageDisplayTime);
  c.maxVZone = std::to_string(s.AverageVerticalDisplayZone);
  c.maxHZone = std::to_string(s.HorizontalDisplayArea);
  c.font = {s.SubtitleFontName, s.SubtitleFontColor, s.SubtitleFontStyle, s.SubtitleFontScript};
  c.subtitleSize = std::to_string(s.SubtitleSize);
  c.subtitleDirectory = s.SubtitleDirectory;
  c.searchHereFirst = s.SearchHereFirst;
  c.video = {s.FullscreenOnLoad, s.RememberPanScanSettings, s.AutomaticPanScan,
             s.MovieModeOnLoad,  s.LoadAtOriginalMovieSize, s.PauseOnMinimize,
             s.OSDDisplay};
  c.secJump = std::to_string(s.SecondesToJump);
  c.secFastJump = std::to_string(s.SecondesToFastJump);
  c.osdSize = std::to_string(s.OsdSize);
  c.osdColor = s.OsdColor;
  c.captureFolder = s.CaptureFolder;
  c.captureType = s.CaptureType;
  c.playlistFontSize = std::to_string(s.PlaylistFontSize);
  c.language = language;
  return c;
}

Pending firstDifference(const Controls& c, const settings::Settings& s, const LiveState& live) {
  if (c.extensions.size() != s.ExtensionList.size()) return Pending::ExtensionList;
  for (size_t i = 0; i < c.extensions.size(); ++i)
    if (c.extensions[i] != toUpper(s.ExtensionList[i])) return Pending::ExtensionList;
  for (size_t i = 0; i < c.marks.size(); ++i)
    if (c.marks[i] != (i < live.marks.size() && live.marks[i])) return Pending::Marks;

  const Controls now = controlsFromSettings(s, live, c.language);
  if (c.registerOnLoad != now.registerOnLoad || c.general != now.general ||
      c.fullModeSwitch != now.fullModeSwitch || c.priorityIndex != live.priorityLevel ||
      c.bossKey != now.bossKey || c.bossKeyHide != now.bossKeyHide ||
      c.bossKeyShow != now.bossKeyShow || c.subtitle1 != now.subtitle1 ||
      c.subtitle2 != now.subtitle2)
    return Pending::Options;

  // Texts in the order tested; a change of the zone, the font name, the size
  // or the style leaves movie mode, the others do not.
  if (c.averageDisplayTime != now.averageDisplayTime) return Pending::SubtitleText;
  if (c.maxVZone != now.maxVZone) return Pending::SubtitleLook;
  if (c.maxHZone != now.maxHZone) return Pending::SubtitleText;
  if (c.font.name != now.font.name) return Pending::SubtitleLook;
  if (c.font.color != now.font.color) return Pending::SubtitleText;
  if (c.subtitleSize != now.subtitleSize || c.font.style != now.font.style)
    return Pending::SubtitleLook;
  if (c.font.script != now.font.script) return Pending::SubtitleText;

  if (c.subtitleDirectory != now.subtitleDirectory || c.searchHereFirst != now.searchHereFirst ||
      c.video != now.video || c.secJump != now.secJump || c.secFastJump != now.secFastJump ||
      c.osdSize != now.osdSize || c.osdColor != now.osdColor ||
      c.captureFolder != now.captureFolder || c.captureType != now.captureType ||
      c.playlistFontSize != now.playlistFontSize)
    return Pending::VideoAndMore;

  if (!c.language.empty() && !equalNoCase(c.language, s.LastUsedLanguage)) return Pending::Language;
  return Pending::None;
}

void generalClicked(Controls& c, int) {
  if (!c.general[5]) c.general[6] = false;
}

void subtitle1Clicked(Controls& c, int clicked) {
  auto& l = c.subtitle1;
  switch (clicked) {
    case 0:  // transparent background
      if (!l[0]) l[1] = l[2] = false;
      break;
    case 1:  // outline
      if (l[1])
        l[0] = true;
      else
        l[2] = false;
      break;
    case 2:  // shadow
      if (l[2]) l[0] = l[1] = true;
      break;
    default:
      break;
  }
  if (l[3]) c.subtitle2[1] = c.subtitle2[2] = false;
}

void subtitle2Clicked(Controls& c, int clicked) {
  auto& l = c.subtitle2;
  if (l[1] && l[2]) {
    if (clicked == 1)
      l[2] = false;
    else
      l[1] = false;
  }
  if (l[1] || l[2]) c.subtitle1[3] = false;
}

void videoClicked(Controls& c, int clicked) {
  auto& l = c.video;
  if (l[1] && l[2]) {
    if (clicked == 1)
      l[2] = false;
    else
      l[1] = false;
  }
}

void applyDefaults(Controls& c, const std::string& noChangeText) {
  const settings::Settings d;
  c.registerOnLoad = false;
  c.general = {true, true, true, true, true, false, false, false, false, false};
  c.fullModeSwitch = noChangeText;
  c.priorityIndex = 2;
  c.bossKey = false;
  c.bossKeyHide = d.BossKeyHide;
  c.bossKeyShow = d.BossKeyShow;
  c.subtitle1 = {true, true, true, false};
  c.subtitle2 = {true, true, false, false, false, true};
  c.averageDisplayTime = "2200";
  c.maxVZone = "15";
  c.maxHZone = "99";
  c.font = {"Arial", 0xFFFFFF, static_cast<int>(settings::FontStyle::Bold), 1};
  c.subtitleSize = "100";
  c.searchHereFirst = false;
  c.video = {false, false, true, false, false, true, true};
  c.secJump = "20";
  c.secFastJump = "60";
  c.osdSize = "100";
  c.osdColor = 65280;
  c.captureFolder = "Desktop";
  c.captureType = 1;
  c.playlistFontSize = "10";
}

std::optional<int> addExtension(Controls& c, std::string_view name) {
  const std::string item = toUpper(extensionNameInput(name));
  if (item.empty()) return std::nullopt;
  for (size_t i = 0; i < c.extensions.size(); ++i)
    if (equalNoCase(c.extensions[i], item)) return static_cast<int>(i);
  c.extensions.push_back(item);
  c.marks.push_back(false);
  return static_cast<int>(c.extensions.size()) - 1;
}

std::optional<std::string> deleteExtension(Controls& c, int index, int& selected) {
  if (index < 0 || index >= static_cast<int>(c.extensions.size())) {
    selected = -1;
    return std::nullopt;
  }
  std::string removed = toLower(c.extensions[index]);
  c.extensions.erase(c.extensions.begin() + index);
  c.marks.erase(c.marks.begin() + index);
  const int count = static_cast<int>(c.extensions.size());
  selected = count == 0 ? -1 : std::min(index, count - 1);
  return removed;
}

void writeSettings(const Controls& c, settings::Settings& s) {
  const auto& g = c.general;
  s.AutoPlayOnLoad = g[0];
  s.AutoHideMainWindow = g[1];
  s.AutoCloseVideoWindow = g[2];
  s.CloseFileWhenFinished = g[3];
  s.AutoClosePlayerWhenFinished = g[4];
  s.RememberMovieSettings = g[5];
  s.RememberLastMoviePosition = g[6];
  s.DisplayHintInPlaylist = g[7];
  s.AllowMultipleInstances = g[8];
  s.LoadEntireFolder = g[9];
  s.FullscreenModeSwitch = c.fullModeSwitch;
  s.BossKey = c.bossKey;
  s.BossKeyHide = c.bossKeyHide;
  s.BossKeyShow = c.bossKeyShow;
  s.TransparentBackground = c.subtitle1[0];
  s.UseOutlineFont = c.subtitle1[1];
  s.SubtitleShadowEffect = c.subtitle1[2];
  s.AutoResizeFont = c.subtitle1[3];
  s.AutoLoadSubtitle = c.subtitle2[0];
  s.AutoSplitLine = c.subtitle2[1];
  s.WrapAllText = c.subtitle2[2];
  s.AutoCalculationTime = c.subtitle2[3];
  s.RememberSubtitleSettings = c.subtitle2[4];
  s.DisableExternalSubtitleFilters = c.subtitle2[5];
  auto take = [&](Field f, const std::string& text, int& setting) {
    setting = fieldValue(f, text, settingOf(f, s));
  };
  take(Field::AverageDisplayTime, c.averageDisplayTime, s.AverageDisplayTime);
  take(Field::MaxVZone, c.maxVZone, s.AverageVerticalDisplayZone);
  take(Field::MaxHZone, c.maxHZone, s.HorizontalDisplayArea);
  s.SubtitleFontName = c.font.name;
  s.SubtitleFontColor = c.font.color;
  s.SubtitleFontStyle = std::clamp(c.font.style, 0, 3);
  s.SubtitleFontScript = std::clamp(c.font.script, 0, 255);
  // The stored size keeps the configuration file's range.
  take(Field::SubtitleSize, c.subtitleSize, s.SubtitleSize);
  s.SubtitleSize = std::min(s.SubtitleSize, 999);
  s.SubtitleDirectory = c.subtitleDirectory;
  s.SearchHereFirst = c.searchHereFirst;
  const auto& v = c.video;
  s.FullscreenOnLoad = v[0];
  s.RememberPanScanSettings = v[1];
  s.AutomaticPanScan = v[2];
  s.MovieModeOnLoad = v[3];
  s.LoadAtOriginalMovieSize = v[4];
  s.PauseOnMinimize = v[5];
  s.OSDDisplay = v[6];
  take(Field::SecJump, c.secJump, s.SecondesToJump);
  take(Field::SecFastJump, c.secFastJump, s.SecondesToFastJump);
  take(Field::OsdSize, c.osdSize, s.OsdSize);
  s.OsdColor = c.osdColor & 0xFFFFFF;
  s.CaptureFolder = c.captureFolder;
  s.CaptureType = std::clamp(c.captureType, 0, 2);
  take(Field::PlaylistFontSize, c.playlistFontSize, s.PlaylistFontSize);
}

bool acceptableCaptureFolder(const std::string& text,
                             const std::function<bool(const std::string&)>& writableFolder) {
  if (equalNoCase(text, "Desktop")) return true;
  if (text.empty() || text[0] != '/') return false;
  return writableFolder && writableFolder(text);
}

std::string leaveCaptureFolder(const std::string& text, const std::string& settingValue,
                               const std::function<bool(const std::string&)>& writableFolder) {
  if (equalNoCase(text, "Desktop")) return "Desktop";
  return acceptableCaptureFolder(text, writableFolder) ? text : settingValue;
}

std::string leaveSubtitleDirectory(const std::string& text,
                                   const std::function<bool(const std::string&)>& folderExists) {
  if (text.empty() || !folderExists || !folderExists(text)) return {};
  return text;
}

int priorityLevelFromNice(int nice) {
  if (nice <= -10) return 0;
  if (nice < 0) return 1;
  if (nice == 0) return 2;
  return 3;
}

int niceForLevel(int level) {
  static constexpr int kNice[] = {-10, -5, 0, 10};
  return kNice[std::clamp(level, 0, 3)];
}

int fontDialogPointSize(int screenWidth, int subtitleSize) {
  const int v = std::clamp(subtitleSize, 10, 1000);
  return static_cast<int>(settings::roundDiv(static_cast<long long>(screenWidth) * v * 28, 102400));
}

int subtitleSizeFromPoints(int points, int screenWidth) {
  if (screenWidth <= 0) return 100;
  return std::clamp(static_cast<int>(settings::roundDiv(static_cast<long long>(points) * 102400,
                                                        static_cast<long long>(screenWidth) * 28)),
                    10, 1000);
}

int previewFontPixels(int screenWidth, std::string_view subtitleSizeText, double dpi) {
  int v = 0;
  const std::string digits = digitsInput(Field::SubtitleSize, subtitleSizeText);
  if (digits.empty() || !settings::parseInt(digits, v)) v = 0;
  v = std::clamp(v, 10, 1000);
  if (dpi <= 0) dpi = 96;
  return roundEven(screenWidth * 0.02625 * v / dpi);
}

std::array<ButtonSpan, 3> bottomButtons(int faceWidth, int buttonWidth) {
  const int a = roundEven((faceWidth - 3.0 * buttonWidth) / 4.0);
  const int mid = (faceWidth - buttonWidth) / 2;
  return {ButtonSpan{a, a + buttonWidth}, ButtonSpan{mid, mid + buttonWidth},
          ButtonSpan{faceWidth - a - buttonWidth, faceWidth - a}};
}

}  // namespace config
