#pragma once
// The colours every drawn window face of the skin shares.
#include <QColor>

inline const QColor kFaceTop(0x2b, 0x31, 0x39);    // top of a face's gradient
inline const QColor kFrame(0x3d, 0x46, 0x50);      // light edges and frames
inline const QColor kInset(0x0c, 0x0f, 0x12);      // sunken displays and lists
inline const QColor kAccent(0x5c, 0xe0, 0x84);     // lit marks
inline const QColor kTitleBand(0x22, 0x27, 0x2e);  // the band behind a title
