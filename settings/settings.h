#pragma once
// The player's process-wide settings, named after their configuration keys.
// Plain data: the configuration file reader fills it, every module reads and
// changes it in place, SaveConfiguration writes it back. Window positions are
// in pixels of the virtual desktop; colours are 0x00BBGGRR numbers.
#include <array>
#include <string>
#include <vector>

namespace settings {

inline const std::vector<std::string>& builtInExtensions() {
  static const std::vector<std::string> list = {
      "avi", "divx", "m1v", "m2v", "m2p", "mkv", "mpg", "mpeg", "dat",  "mpe", "mpa",
      "mp4", "mov",  "qt",  "wmv", "asf", "asx", "rv",  "rm",   "rmvb", "ram", "flv"};
  return list;
}

inline constexpr const char* kEnglishBuiltIn = "English (built in)";
inline constexpr const char* kNoChange = "No change";

// Font style codes of SubtitleFontStyle.
enum class FontStyle { Regular = 0, Bold = 1, BoldItalic = 2, Italic = 3 };

struct Settings {
  std::string LastAccessedFolder = "/";
  std::vector<std::string> ExtensionList = builtInExtensions();  // key FileTypes
  std::string FileAssociation = std::string(22, '0');
  bool RegisterExtensionsOnLoad = false;
  bool AutoPlayOnLoad = true;
  bool AutoHideMainWindow = true;
  bool AutoCloseVideoWindow = true;
  bool CloseFileWhenFinished = true;
  bool AutoClosePlayerWhenFinished = true;
  std::string FullscreenModeSwitch = kNoChange;
  bool TransparentBackground = true;
  bool UseOutlineFont = true;
  bool AutoResizeFont = false;
  bool AutoLoadSubtitle = true;
  bool AutoSplitLine = true;
  bool WrapAllText = false;
  bool AutoCalculationTime = false;
  int AverageDisplayTime = 2200;        // ms for 20 characters, [1000, 9999]
  int AverageVerticalDisplayZone = 15;  // % from the bottom, [0, 50]
  int HorizontalDisplayArea = 99;       // %, [1, 100]
  std::string SubtitleFontName = "Arial";
  int SubtitleSize = 100;            // %, [10, 999]
  int SubtitleFontColor = 16777215;  // 0x00BBGGRR
  int SubtitleFontStyle = 1;         // FontStyle code
  int SubtitleFontScript = 1;        // character set, [0, 255]
  std::string SubtitleDirectory;
  bool SearchHereFirst = false;
  bool RememberSubtitleSettings = false;
  bool FullscreenOnLoad = false;
  bool MovieModeOnLoad = false;
  bool RememberPanScanSettings = false;
  bool AutomaticPanScan = true;
  bool LoadAtOriginalMovieSize = false;
  bool PauseOnMinimize = true;
  int SecondesToJump = 20;        // s, [1, 99]
  int SecondesToFastJump = 60;    // s, [1, 999]
  int BrightnessControl = 750;    // [0, 10000]
  int ContrastControl = 10000;    // [0, 20000]
  int HueControl = 0;             // [-180, 180]
  int SaturationControl = 10000;  // [0, 20000]
  int MainXPosition = 0;          // px
  int MainYPosition = 0;
  int VideoWindowXPosition = 0;
  int VideoWindowYPosition = 0;
  int VideoWindowHeight = 274;  // px, [36, 6006]
  int VideoWindowWidth = 460;   // px, [46, 8006]
  bool RememberMovieSettings = false;
  bool RememberLastMoviePosition = false;
  bool DisplayHintInPlaylist = false;
  int PanScanSize = 0;   // [-50, 100]
  int AudioVolume = 10;  // volume steps, [0, 20]
  bool Mute = false;
  int PlaylistXPosition = 0;
  int PlaylistYPosition = 0;
  int PlayListHeight = 274;  // px, [250, min(work area, 800)]
  int PlayListWidth = 439;
  int PlaylistFontSize = 10;  // points, [1, 50]
  bool PlayListShow = false;
  bool ShowSubtitlesInPlaylist = true;
  int LastMovieSelectedInPlaylist = 0;  // 1-based, 0 = none
  bool OSDDisplay = true;
  std::array<std::string, 5> RecentFile;  // keys RecentFile1..RecentFile5
  bool KeepAspectRatio = true;
  bool AllowMultipleInstances = false;
  int RepeatStatus = 0;  // 0 off, 1 one, 2 all
  std::string LastUsedLanguage = kEnglishBuiltIn;
  std::array<int, 11> EqualizerSettings{};  // pre-amplification, then bands 0..9; [-100, 100]
  int EqualizerXPosition = 0;
  int EqualizerYPosition = 0;
  bool EqualizerShow = false;
  int CpuPriority = 2;  // 4 High, 3 Above normal, 2 Normal, 1 Below normal
  bool ShowFrames = false;
  bool DynamicAmplification = false;
  bool DoNotShowOverlayMessage = false;
  bool DisableExternalSubtitleFilters = true;
  int OsdSize = 100;     // %, [10, 500]
  int OsdColor = 65280;  // 0x00BBGGRR (green)
  bool FirstRun = true;
  bool SubtitleShadowEffect = true;
  bool RememberPreviousMovieSettings = false;
  bool LoadEntireFolder = false;
  std::string CaptureFolder = "Desktop";
  int CaptureType = 1;  // 0 BMP, 1 JPG, 2 PNG
  bool BossKey = false;
  std::string BossKeyHide = "Num Del";
  std::string BossKeyShow = "Ctrl+Alt+S";
  bool Shuffle = false;
  bool DontShowRegistryError = false;
  bool DontShowWritingError = false;
};

}  // namespace settings
