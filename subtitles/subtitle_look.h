#pragma once
// The subtitle appearance commands' arithmetic: moving the block up and down
// (AverageVerticalDisplayZone, 0-50 %) and changing the size in steps of 5 %
// (SubtitleSize, 10-1000 %), with the on-screen message each one shows.
// Pure functions.
#include <string>

#include "texts/interface_texts.h"

namespace subtitles {

// R(v): v rounded to a multiple of 5 (v div 5 x 5, plus 5 when v mod 5 > 2).
int roundToFive(int v);

// New AverageVerticalDisplayZone after "Move up" (+1 below 50) or "Move down"
// (-1 above 0); the value itself when it stays.
int movedZone(int zone, bool up);

// New SubtitleSize after "Increase size (5%)" or "Decrease size (5%)".
int resizedSubtitle(int size, bool larger);

// The point size the font dialog opens with for SubtitleSize on a screen
// screenWidthPx wide: round(Ws x SubtitleSize x 28 / 102400), halves to even.
int fontDialogPoints(int screenWidthPx, int subtitleSize);
// SubtitleSize for a size chosen in the font dialog (points): round(points x
// 102400 / (Ws x 28)), kept to 10..1000. A screen width below 1 counts as 1.
int subtitleSizeForPoints(double points, int screenWidthPx);

// "Subtitle vertical position: 15%" and "Subtitle size: 100%".
std::string zoneMessage(const texts::InterfaceTexts& texts, int zone);
std::string sizeMessage(const texts::InterfaceTexts& texts, int size);

}  // namespace subtitles
