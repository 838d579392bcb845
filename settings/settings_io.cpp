#include "settings/settings_io.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

#include "settings/configuration_file.h"

namespace settings {

namespace {

// Paths are kept whole up to the system's path limit; a longer text cannot
// name a folder here and is dropped rather than cut into another path.
constexpr size_t kMaxPathBytes = 4096;
constexpr size_t kMaxTextChars = 256;

struct BoolRow {
  const char* key;
  bool Settings::*field;
};
struct IntRow {
  const char* key;
  int Settings::*field;
  int min;
  int max;
};

#define B(name)            \
  BoolRow {                \
#name, &Settings::name \
  }
const BoolRow kBools[] = {B(RegisterExtensionsOnLoad),
                          B(AutoPlayOnLoad),
                          B(AutoHideMainWindow),
                          B(AutoCloseVideoWindow),
                          B(CloseFileWhenFinished),
                          B(AutoClosePlayerWhenFinished),
                          B(TransparentBackground),
                          B(UseOutlineFont),
                          B(AutoResizeFont),
                          B(AutoLoadSubtitle),
                          B(AutoSplitLine),
                          B(WrapAllText),
                          B(AutoCalculationTime),
                          B(SearchHereFirst),
                          B(RememberSubtitleSettings),
                          B(FullscreenOnLoad),
                          B(MovieModeOnLoad),
                          B(RememberPanScanSettings),
                          B(AutomaticPanScan),
                          B(LoadAtOriginalMovieSize),
                          B(PauseOnMinimize),
                          B(RememberMovieSettings),
                          B(RememberLastMoviePosition),
                          B(DisplayHintInPlaylist),
                          B(Mute),
                          B(PlayListShow),
                          B(ShowSubtitlesInPlaylist),
                          B(OSDDisplay),
                          B(KeepAspectRatio),
                          B(AllowMultipleInstances),
                          B(EqualizerShow),
                          B(ShowFrames),
                          B(DynamicAmplification),
                          B(DoNotShowOverlayMessage),
                          B(DisableExternalSubtitleFilters),
                          B(FirstRun),
                          B(SubtitleShadowEffect),
                          B(RememberPreviousMovieSettings),
                          B(LoadEntireFolder),
                          B(BossKey),
                          B(Shuffle),
                          B(DontShowRegistryError),
                          B(DontShowWritingError)};
#undef B

#define I(name, lo, hi)            \
  IntRow {                         \
#name, &Settings::name, lo, hi \
  }
const IntRow kInts[] = {I(AverageDisplayTime, 1000, 9999),
                        I(AverageVerticalDisplayZone, 0, 50),
                        I(HorizontalDisplayArea, 1, 100),
                        I(SubtitleSize, 10, 999),
                        I(SubtitleFontColor, -16777215, 16777215),
                        I(SubtitleFontStyle, 0, 4),
                        I(SubtitleFontScript, 0, 255),
                        I(SecondesToJump, 1, 99),
                        I(SecondesToFastJump, 1, 999),
                        I(BrightnessControl, 0, 10000),
                        I(ContrastControl, 0, 20000),
                        I(HueControl, -180, 180),
                        I(SaturationControl, 0, 20000),
                        I(PanScanSize, -50, 100),
                        I(AudioVolume, 0, 20),
                        I(PlaylistFontSize, 1, 50),
                        I(LastMovieSelectedInPlaylist, INT_MIN, INT_MAX),
                        I(RepeatStatus, 0, 2),
                        I(CpuPriority, 1, 4),
                        I(OsdSize, 10, 500),
                        I(OsdColor, -16777215, 16777215),
                        I(CaptureType, 0, 2)};
#undef I

const std::string& valueAt(const std::vector<std::string>& values, const char* key) {
  static const std::string empty;
  int i = keyIndex(key);
  return i >= 0 && static_cast<size_t>(i) < values.size() ? values[i] : empty;
}

bool parseBool(std::string_view text, bool& out) {
  int n;
  if (parseInt(text, n)) {
    out = n != 0;
    return true;
  }
  auto equalsNoCase = [&](std::string_view word) {
    return std::equal(text.begin(), text.end(), word.begin(), word.end(),
                      [](char a, char b) { return (a | 0x20) == (b | 0x20); });
  };
  if (equalsNoCase("true"))
    out = true;
  else if (equalsNoCase("false"))
    out = false;
  else
    return false;
  return true;
}

// Cuts a text to n characters without splitting a UTF-8 sequence.
std::string cutChars(const std::string& text, size_t n) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == n)
      return text.substr(0, i);
  }
  return text;
}

int clampInt(long long v, int lo, int hi) {
  return static_cast<int>(std::min<long long>(std::max<long long>(v, lo), hi));
}

// Positions are kept as 1/100000 of the primary screen's width (x) or height (y).
long long toStored(int pixels, int screenSize) {
  if (screenSize <= 0) return 0;
  return roundDiv(static_cast<long long>(pixels) * 100000, screenSize);
}

int readPosition(const std::vector<std::string>& values, const char* key, int defaultPixels,
                 int screenSize, int low, int high) {
  long long stored = toStored(defaultPixels, screenSize);
  int parsed;
  if (parseInt(valueAt(values, key), parsed)) stored = parsed;
  long long pixels = roundDiv(static_cast<long long>(screenSize) * stored, 100000);
  // min(max(v, low), high): when the window is larger than the area, high wins.
  return static_cast<int>(
      std::min<long long>(std::max<long long>(pixels, low), static_cast<long long>(high)));
}

void applyPositions(const std::vector<std::string>& values, Settings& s,
                    const ScreenGeometry& screen) {
  const Rect& b = screen.MultiMonitorDesktop ? screen.virtualDesktop : screen.primaryWorkArea;
  const int W = screen.width, H = screen.height;
  const long long right = static_cast<long long>(b.left) + b.width;
  const long long bottom = static_cast<long long>(b.top) + b.height;
  auto hi = [](long long v) { return clampInt(v, INT_MIN, INT_MAX); };
  s.MainXPosition =
      readPosition(values, "MainXPosition", s.MainXPosition, W, b.left, hi(right - 460));
  s.MainYPosition =
      readPosition(values, "MainYPosition", s.MainYPosition, H, b.top, hi(bottom - 150));
  s.VideoWindowXPosition = readPosition(values, "VideoWindowXPosition", s.VideoWindowXPosition, W,
                                        b.left, hi(right - s.VideoWindowWidth));
  s.VideoWindowYPosition = readPosition(values, "VideoWindowYPosition", s.VideoWindowYPosition, H,
                                        b.top, hi(bottom - s.VideoWindowHeight));
  s.PlaylistXPosition = readPosition(values, "PlaylistXPosition", s.PlaylistXPosition, W, b.left,
                                     hi(right - s.PlayListWidth));
  s.PlaylistYPosition = readPosition(values, "PlaylistYPosition", s.PlaylistYPosition, H, b.top,
                                     hi(bottom - s.PlayListHeight));
  s.EqualizerXPosition =
      readPosition(values, "EqualizerXPosition", s.EqualizerXPosition, W, b.left, hi(right - 425));
  s.EqualizerYPosition =
      readPosition(values, "EqualizerYPosition", s.EqualizerYPosition, H, b.top, hi(bottom - 176));
}

void readInt(const std::vector<std::string>& values, const char* key, int& field, int lo, int hi) {
  int v;
  if (parseInt(valueAt(values, key), v)) field = clampInt(v, lo, hi);
}

void applyWindowSizes(const std::vector<std::string>& values, Settings& s,
                      const ScreenGeometry& screen) {
  readInt(values, "VideoWindowHeight", s.VideoWindowHeight, 36, 6006);
  readInt(values, "VideoWindowWidth", s.VideoWindowWidth, 46, 8006);
  // The playlist's upper bounds always follow the primary work area.
  int v;
  if (parseInt(valueAt(values, "PlayListHeight"), v))
    s.PlayListHeight = std::min(std::max(v, 250), std::min(screen.primaryWorkArea.height, 800));
  if (parseInt(valueAt(values, "PlayListWidth"), v))
    s.PlayListWidth = std::min(std::max(v, 250), std::min(screen.primaryWorkArea.width, 800));
}

void applyEqualizer(const std::string& value, Settings& s) {
  std::string text = cutChars(value, kMaxTextChars) + ",";
  std::string token;
  size_t slot = 0;
  for (char c : text) {
    if (c == '-' || (c >= '0' && c <= '9')) {
      token += c;
      continue;
    }
    int n;
    if (!parseInt(token, n)) n = 0;
    s.EqualizerSettings[slot++] = std::clamp(n, -100, 100);
    token.clear();
    if (slot == s.EqualizerSettings.size()) break;
  }
}

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A folder value is kept when the folder exists. A value starting with any
// other character than a letter was accepted untested where drives exist; here
// every path is testable, so the test applies to all but the empty text.
bool folderUsable(const std::string& path, const ApplyContext& c) {
  if (path.empty() || path.size() > kMaxPathBytes) return false;
  return !c.folderExists || c.folderExists(path);
}

void applyTexts(const std::vector<std::string>& values, Settings& s, const ApplyContext& c) {
  const std::string& folder = valueAt(values, "LastAccessedFolder");
  if (!folder.empty() && (!isLetter(folder[0]) || folderUsable(folder, c)) &&
      folder.size() <= kMaxPathBytes)
    s.LastAccessedFolder = folder;

  const std::string& types = valueAt(values, "FileTypes");
  if (!types.empty()) s.ExtensionList = splitExtensionList(types);
  const std::string& assoc = valueAt(values, "FileAssociation");
  if (!assoc.empty()) s.FileAssociation = assoc;
  s.FileAssociation = fitFileAssociation(s.FileAssociation, s.ExtensionList.size());

  const std::string& mode = valueAt(values, "FullscreenModeSwitch");
  if (!mode.empty()) s.FullscreenModeSwitch = cutChars(mode, kMaxTextChars);

  const std::string& font = valueAt(values, "SubtitleFontName");
  if (!font.empty() && (!c.fontInstalled || c.fontInstalled(font))) s.SubtitleFontName = font;

  s.SubtitleDirectory = valueAt(values, "SubtitleDirectory");
  if (!folderUsable(s.SubtitleDirectory, c)) s.SubtitleDirectory.clear();

  for (int i = 0; i < 5; ++i) {
    std::string key = "RecentFile" + std::to_string(i + 1);
    const std::string& path = valueAt(values, key.c_str());
    s.RecentFile[i] = path.size() <= kMaxPathBytes ? path : std::string();
  }

  const std::string& language = valueAt(values, "LastUsedLanguage");
  if (!language.empty()) s.LastUsedLanguage = cutChars(language, kMaxTextChars);

  const std::string& eq = valueAt(values, "EqualizerSettings");
  if (!eq.empty()) applyEqualizer(eq, s);

  const std::string& capture = valueAt(values, "CaptureFolder");
  if (capture == "Desktop" || folderUsable(capture, c)) s.CaptureFolder = capture;

  // Shortcut texts are turned into keys by the window layer. A missing key
  // reads as an empty text, which names no key: no shortcut.
  s.BossKeyHide = cutChars(valueAt(values, "BossKeyHide"), kMaxTextChars);
  s.BossKeyShow = cutChars(valueAt(values, "BossKeyShow"), kMaxTextChars);
}

std::string boolText(bool b) {
  return b ? "1" : "0";
}

// A value holding CR or LF would start a new line and inject keys into the
// file; such a value cannot be stored and is written empty (the default).
std::string lineSafe(const std::string& v) {
  return v.find_first_of("\r\n") == std::string::npos ? v : std::string();
}

}  // namespace

bool parseInt(std::string_view text, int& out) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    if (v <= INT64_C(1) << 40) v = v * 10 + (text[i] - '0');  // saturates far beyond 32 bits
  }
  if (negative) v = -v;
  out = clampInt(v, INT_MIN, INT_MAX);
  return true;
}

long long roundDiv(long long num, long long den) {
  long long q = num / den, r = num % den;
  if (r < 0) {  // floor division
    q -= 1;
    r += den;
  }
  if (2 * r > den || (2 * r == den && (q & 1))) ++q;
  return q;
}

std::vector<std::string> splitExtensionList(std::string text) {
  if (text.empty() || text.back() != ';') text += ';';
  std::vector<std::string> list;
  std::string current;
  for (char c : text) {
    if (c == ';') {
      list.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  return list;
}

std::string fitFileAssociation(std::string text, size_t n) {
  text.resize(n, '0');
  return text;
}

bool computeMultiMonitorDesktop(const std::vector<Rect>& monitors) {
  for (size_t i = 0; i + 1 < monitors.size(); ++i) {
    if (monitors[i].left != monitors[i + 1].left || monitors[i].top != monitors[i + 1].top)
      return true;
  }
  return false;
}

void applyDefaultPositions(Settings& s, const ScreenGeometry& screen) {
  const int W = screen.width, H = screen.height;
  s.MainXPosition = (W - 460) / 2;
  s.MainYPosition = (H - 424) / 2 + 274;
  s.VideoWindowXPosition = (W - 460) / 2;
  s.VideoWindowYPosition = (H - 424) / 2;
  s.PlaylistXPosition = (W - 439) / 2;
  s.PlaylistYPosition = (H - 274) / 2;
  s.EqualizerXPosition = static_cast<int>(static_cast<long long>(W - 425) * 3 / 4);
  s.EqualizerYPosition = (H - 176) / 2;
}

int subtitleFontPointSize(int SubtitleSize, int screenWidth) {
  return static_cast<int>(
      roundDiv(static_cast<long long>(SubtitleSize) * 28 * screenWidth, 102400));
}

void applyConfigurationValues(const std::vector<std::string>& values, Settings& s,
                              const ApplyContext& context) {
  if (values.empty()) return;
  for (const BoolRow& row : kBools) {
    bool b;
    if (parseBool(valueAt(values, row.key), b)) s.*row.field = b;
  }
  for (const IntRow& row : kInts) readInt(values, row.key, s.*row.field, row.min, row.max);
  // Codes 0 and 4 both mean a regular font; it is written back as 0.
  if (s.SubtitleFontStyle == 4) s.SubtitleFontStyle = 0;
  if (!s.RememberPanScanSettings) s.PanScanSize = 0;
  applyTexts(values, s, context);
  applyWindowSizes(values, s, context.screen);
  applyPositions(values, s, context.screen);
}

std::vector<std::string> buildConfigurationValues(const Settings& s, const ScreenGeometry& screen,
                                                  const std::string& noChangeText,
                                                  const std::string& lastAccessedFolder) {
  std::vector<std::string> values(kKeyCount);
  auto set = [&](const char* key, std::string v) { values[keyIndex(key)] = lineSafe(v); };
  for (const BoolRow& row : kBools) set(row.key, boolText(s.*row.field));
  for (const IntRow& row : kInts) set(row.key, std::to_string(s.*row.field));

  set("LastAccessedFolder", lastAccessedFolder);
  std::string types;
  for (const std::string& e : s.ExtensionList) types += lineSafe(e) + ";";
  set("FileTypes", types);
  set("FileAssociation", s.FileAssociation);
  set("FullscreenModeSwitch",
      s.FullscreenModeSwitch == noChangeText ? std::string(kNoChange) : s.FullscreenModeSwitch);
  set("SubtitleFontName", s.SubtitleFontName);
  set("SubtitleDirectory", s.SubtitleDirectory);
  for (int i = 0; i < 5; ++i) set(("RecentFile" + std::to_string(i + 1)).c_str(), s.RecentFile[i]);
  set("LastUsedLanguage", s.LastUsedLanguage);
  std::string eq;
  for (size_t i = 0; i < s.EqualizerSettings.size(); ++i)
    eq += (i ? "," : "") + std::to_string(s.EqualizerSettings[i]);
  set("EqualizerSettings", eq);
  set("CaptureFolder", s.CaptureFolder);
  set("BossKeyHide", s.BossKeyHide);
  set("BossKeyShow", s.BossKeyShow);

  auto pos = [&](const char* key, int pixels, int size) {
    set(key, std::to_string(toStored(pixels, size)));
  };
  pos("MainXPosition", s.MainXPosition, screen.width);
  pos("MainYPosition", s.MainYPosition, screen.height);
  pos("VideoWindowXPosition", s.VideoWindowXPosition, screen.width);
  pos("VideoWindowYPosition", s.VideoWindowYPosition, screen.height);
  pos("PlaylistXPosition", s.PlaylistXPosition, screen.width);
  pos("PlaylistYPosition", s.PlaylistYPosition, screen.height);
  pos("EqualizerXPosition", s.EqualizerXPosition, screen.width);
  pos("EqualizerYPosition", s.EqualizerYPosition, screen.height);
  set("VideoWindowHeight", std::to_string(s.VideoWindowHeight));
  set("VideoWindowWidth", std::to_string(s.VideoWindowWidth));
  set("PlayListHeight", std::to_string(s.PlayListHeight));
  set("PlayListWidth", std::to_string(s.PlayListWidth));
  return values;
}

}  // namespace settings
