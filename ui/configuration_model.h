#pragma once
// The configuration dialog's working copy of the settings it edits and the
// rules of its controls: filling the copy from the settings, what the edit
// fields accept and how they are corrected when left, the check-list rules,
// "Default", the test that tells whether anything is pending, and writing the
// copy back. Plain C++ (no toolkit), so every rule is tested headless.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"

namespace config {

// The numeric edit fields. Each accepts digits only, up to maxChars of them.
enum class Field {
  PlaylistFontSize,
  MaxVZone,
  MaxHZone,
  SubtitleSize,
  AverageDisplayTime,
  SecJump,
  SecFastJump,
  OsdSize,
};

struct FieldRule {
  int maxChars;
  int min;  // a smaller number is raised to this when the field is left
  int max;  // a larger number is lowered to this
};
FieldRule fieldRule(Field field);

// What a numeric field keeps of typed or pasted text: its digits, cut to the
// field's length. Anything else (signs, blanks, line breaks) is dropped.
std::string digitsInput(Field field, std::string_view text);

// The leave rule: an empty field (or one without a number) takes the setting's
// value back; a number is clamped to the field's range. Returns the field text.
std::string leaveField(Field field, std::string_view text, int settingValue);

// The number a field stands for on Apply (its leave rule applied).
int fieldValue(Field field, std::string_view text, int settingValue);

// Longest extension name: the longest one the shell registration accepts.
inline constexpr int kMaxExtensionChars = 16;
// What the extension name field keeps of typed or pasted text: the characters
// A-Z, a-z, 0-9, "+", "_" and "-", at most kMaxExtensionChars. Everything else
// could break the ";"-separated FileTypes value or a file pattern.
std::string extensionNameInput(std::string_view text);

// The subtitle font as the dialog holds it.
struct SubtitleFont {
  std::string name;
  int color = 0;   // 0x00BBGGRR
  int style = 0;   // settings::FontStyle code 0..3
  int script = 1;  // character set
  bool operator==(const SubtitleFont&) const = default;
};

// Item counts of the check lists.
inline constexpr int kGeneralItems = 10;
inline constexpr int kSubtitle1Items = 4;
inline constexpr int kSubtitle2Items = 6;
inline constexpr int kVideoItems = 7;

// Every control of the dialog that edits a setting, as values.
struct Controls {
  std::vector<std::string> extensions;  // upper case, in list order
  std::vector<bool> marks;              // one per extension
  bool registerOnLoad = false;
  std::array<bool, kGeneralItems> general{};
  std::string fullModeSwitch;
  int priorityIndex = 2;  // 0 high .. 3 below normal
  bool bossKey = false;
  std::string bossKeyHide;
  std::string bossKeyShow;
  std::array<bool, kSubtitle1Items> subtitle1{};
  std::array<bool, kSubtitle2Items> subtitle2{};
  std::string averageDisplayTime;
  std::string maxVZone;
  std::string maxHZone;
  SubtitleFont font;
  std::string subtitleSize;
  std::string subtitleDirectory;
  bool searchHereFirst = false;
  std::array<bool, kVideoItems> video{};
  std::string secJump;
  std::string secFastJump;
  std::string osdSize;
  int osdColor = 0;
  std::string captureFolder;
  int captureType = 1;  // 0 BMP, 1 JPG, 2 PNG
  std::string playlistFontSize;
  std::string language;  // the selected language's name; empty: none selected
};

// What the dialog compares with besides the settings: each extension's
// association in effect (associated and the shell commands present), and
// the process priority level in force (0 high .. 3 below normal).
struct LiveState {
  std::vector<bool> marks;
  int priorityLevel = 2;
};

// The controls as the settings and the live state fill them. language is the
// list item matching LastUsedLanguage (empty when none matches).
Controls controlsFromSettings(const settings::Settings& s, const LiveState& live,
                              const std::string& language);

// The first control group that differs from what is in force, in the order
// the dialog tests them; None when nothing is pending.
enum class Pending {
  None,
  ExtensionList,
  Marks,
  Options,       // check boxes, lists, drop-downs and hot keys
  SubtitleLook,  // vertical zone, font, size or style: leaves movie mode
  SubtitleText,  // display time, horizontal area, colour, character set
  VideoAndMore,  // the Video page, the subtitle folder, the playlist font size
  Language,
};
Pending firstDifference(const Controls& c, const settings::Settings& s, const LiveState& live);

// Check-list rules, run after the user clicked item `clicked` of a list.
// General: without "Remember movie settings", "Remember movie position" is off.
void generalClicked(Controls& c, int clicked);
// Subtitle 1: outline needs a transparent background, the shadow needs the
// outline; auto resize excludes auto split and wrap-all of Subtitle 2.
void subtitle1Clicked(Controls& c, int clicked);
// Subtitle 2: auto split and wrap-all exclude each other (the clicked one
// stays) and either turns auto resize off.
void subtitle2Clicked(Controls& c, int clicked);
// Video: remembered and automatic pan-scan exclude each other.
void videoClicked(Controls& c, int clicked);

// "Default": every control but the extension list with its marks, the
// subtitle folder and the language takes its default.
void applyDefaults(Controls& c, const std::string& noChangeText);

// "Add extension": the name upper-cased is appended unless the list holds it
// (any case) or it is empty. Returns the index of the item to select (the
// existing one when it was listed), or no value for an empty name.
std::optional<int> addExtension(Controls& c, std::string_view name);

// "Delete extension" of item index: removes it and returns its lower-case
// name; selected becomes the item to select (-1 when the list is empty).
std::optional<std::string> deleteExtension(Controls& c, int index, int& selected);

// Writes the controls back to the settings, apart from the file types
// (the shell registration's part), the priority and the language. Numeric
// fields take their leave rule first.
void writeSettings(const Controls& c, settings::Settings& s);

// --- folders ---

// "Save capture in": "Desktop" (any case) or an absolute path of an existing
// folder the user may write in (writableFolder tells). Relative paths and
// missing folders are refused.
bool acceptableCaptureFolder(const std::string& text,
                             const std::function<bool(const std::string&)>& writableFolder);

// The capture folder field when left: the text, "Desktop" for any case of it,
// or the setting's value when the text is not acceptable.
std::string leaveCaptureFolder(const std::string& text, const std::string& settingValue,
                               const std::function<bool(const std::string&)>& writableFolder);

// The subtitle folder field when left: empty when no such folder exists.
std::string leaveSubtitleDirectory(const std::string& text,
                                   const std::function<bool(const std::string&)>& folderExists);

// --- priority ---

// The level a nice value stands for: 0 high (nice <= -10), 1 above normal
// (below 0), 2 normal (0), 3 below normal (above 0).
int priorityLevelFromNice(int nice);
// The nice value the player asks for at a level: -10, -5, 0, 10.
int niceForLevel(int level);
// The CpuPriority setting of a level (4 high .. 1 below normal).
inline int cpuPriorityForLevel(int level) {
  return 4 - level;
}

// --- sizes ---

// Point size of the font the font dialog opens on: round(S x V x 28 / 102400),
// S the screen width in pixels, V the subtitle size field read with its leave
// rule (so an empty field never gives a size of 0).
int fontDialogPointSize(int screenWidth, int subtitleSize);
// The subtitle size field after the font dialog: round(points x 102400 /
// (S x 28)) clamped to [10, 1000].
int subtitleSizeFromPoints(int points, int screenWidth);
// The preview's font size in pixels: round(S x 0.02625 x V / P) with V the
// field value clamped to [10, 1000] (0 when unreadable, so 10) and P the
// screen's pixels per inch scaled to 96.
int previewFontPixels(int screenWidth, std::string_view subtitleSizeText, double dpi);

// The three text buttons of the bottom strip: common width w, face width W.
struct ButtonSpan {
  int left;
  int right;
};
std::array<ButtonSpan, 3> bottomButtons(int faceWidth, int buttonWidth);

}  // namespace config
