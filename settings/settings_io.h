#pragma once
// Turning configuration values into settings (validation, clamping, window
// positions relative to the primary screen) and settings back into values.
#include <functional>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace settings {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// What the reader needs to know of the screens, in pixels.
struct ScreenGeometry {
  int width = 1024;  // primary screen W
  int height = 768;  // primary screen H
  Rect primaryWorkArea{0, 0, 1024, 768};
  Rect virtualDesktop{0, 0, 1024, 768};
  bool MultiMonitorDesktop = false;
};

// MultiMonitorDesktop: true when at least two monitors exist and some pair of
// neighbours in enumeration order has a different origin (mirrored monitors
// share one origin and count as one desktop).
bool computeMultiMonitorDesktop(const std::vector<Rect>& monitors);

// The default window positions of the primary screen, in pixels.
void applyDefaultPositions(Settings& s, const ScreenGeometry& screen);

struct ApplyContext {
  ScreenGeometry screen;
  // True when a font of exactly this name is installed; unset accepts any name.
  std::function<bool(const std::string&)> fontInstalled;
  // True when the folder exists (paths in this file are folders of this machine).
  std::function<bool(const std::string&)> folderExists;
};

// Applies the values read from the file to settings that hold their defaults,
// each with its rule: bools, clamped ints, texts, extension list, equalizer
// bands, window positions. Does nothing when values is empty.
void applyConfigurationValues(const std::vector<std::string>& values, Settings& s,
                              const ApplyContext& context);

// The values to write, in key order, from the settings. noChangeText is the
// current language's text for "No change", written back as "No change".
// lastAccessedFolder is the current working folder at the moment of saving.
std::vector<std::string> buildConfigurationValues(const Settings& s, const ScreenGeometry& screen,
                                                  const std::string& noChangeText,
                                                  const std::string& lastAccessedFolder);

// Subtitle font size in points for the primary screen width:
// round(SubtitleSize * 28 * W / 102400), ties to even.
int subtitleFontPointSize(int SubtitleSize, int screenWidth);

// Internal process priority level: 0 high, 1 above normal, 2 normal, 3 below normal.
inline int priorityLevel(int CpuPriority) {
  return 4 - (CpuPriority < 1 ? 1 : CpuPriority > 4 ? 4 : CpuPriority);
}

// Number parsing shared by the settings readers: an optional sign and decimal
// digits, nothing else; values beyond 32 bits saturate instead of wrapping.
bool parseInt(std::string_view text, int& out);

// Integer division rounding to nearest, ties to even (den > 0).
long long roundDiv(long long num, long long den);

// Extension list from a FileTypes text: each ";" ends an entry (even an empty one).
std::vector<std::string> splitExtensionList(std::string text);

// Fits a FileAssociation text to n entries: cut, or padded with "0".
std::string fitFileAssociation(std::string text, size_t n);

}  // namespace settings
