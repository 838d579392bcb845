#pragma once
// One remembered movie: how it was last watched. Times are fractions of a
// day; dates are days since 30 December 1899 with the time of day as fraction.
#include <array>
#include <string>

namespace moviememory {

inline constexpr int kBookmarkSlots = 9;

struct MovieRecord {
  std::string Name;             // movie file name without folder
  double LastAccessed = 0;      // the eviction key
  int PanScan = 0;              // [-50, 100]
  double AspectRatio = 1.33;    // -1 when KeepAspectRatio was off, else [0.1, 5]
  int VideoImageXPosition = 0;  // picture offsets, [-100, 100]
  int VideoImageYPosition = 0;
  int VideoWindowWidth = 0;  // windowed size in px, [46, 8006] x [36, 6006]
  int VideoWindowHeight = 0;
  double LastVideoPosition = 0;                      // fraction of a day, kept modulo 24 hours
  std::array<std::string, kBookmarkSlots> BookMark;  // "hh:nn:ss" or empty
  int Brightness = 2000;                             // brightness position x 10, [0, 10000]
  int Contrast = 10000;                              // contrast position x 100, [0, 20000]
  int Hue = 0;                                       // [-180, 180]
  int Saturation = 10000;                            // saturation position x 100, [0, 20000]
  bool FullScreen = false;
  int AudioVolume = 5000;  // volume position x 500, [0, 10000]
  std::string SubtitleFontName;
  int SubtitleSize = 100;            // percent, [10, 1000]; wider than 8 bits on purpose
  int SubtitleFontColor = 16777215;  // 0x00BBGGRR, [-16777215, 16777215]
  int SubtitleFontStyle = 1;         // 0 regular, 1 bold, 2 bold italic, 3 italic
  bool TransparentBackground = true;
  bool UseOutlineFont = true;
  int AverageVerticalDisplayZone = 15;  // percent from the bottom, [0, 50]
};

}  // namespace moviememory
