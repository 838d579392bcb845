#pragma once
// Colour values of the player's settings and skins are 0x00BBGGRR numbers:
// red in the low byte, blue in the third. QColor(QRgb) expects 0xAARRGGBB,
// so these helpers swap the bytes explicitly.
#include <QColor>

namespace ui {

inline QColor colorFromBgr(int value) {
  const unsigned v = static_cast<unsigned>(value);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

inline int bgrFromColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace ui
