#pragma once
// Sizes and colours shared by the configuration dialog's source files.
#include <QLabel>
#include <QString>

#include <string>

#include "ui/configuration_dialog.h"
#include "ui/face_text.h"

namespace ui::configuration_parts {

inline constexpr int kPageColor = 0xE0E0E0;   // the content panel, 0x00BBGGRR
inline constexpr int kTextColor = 0x464646;   // control texts
inline constexpr int kTitleColor = 0x999999;  // the title on the face
inline constexpr int kTreeWidth = 110;
// The page area right of the tree, and a tab page inside it.
inline constexpr int kPageWidth = 366;
inline constexpr int kPageHeight = 311;
inline constexpr int kTabWidth = kPageWidth - 6;
inline constexpr int kTabHeight = kPageHeight - 28;

}  // namespace ui::configuration_parts

namespace ui {

// The labels whose texts and widths follow the language.
struct TfrmConfig::Labels {
  QLabel* playlistFontSize;
  QLabel* fullModeSwitch;
  QLabel* priority;
  QLabel* hide;
  QLabel* show;
  QLabel* associated;
  QLabel* maxVZone;
  QLabel* maxHZone;
  QLabel* subtitleSize;
  QLabel* averageDisplayTime;
  QLabel* secJump;
  QLabel* secFastJump;
  QLabel* osdSize;
  QLabel* osdColor;
  QLabel* captureFormat;
  QLabel* saveCapture;
  QLabel* chooseLanguage;
};

}  // namespace ui
