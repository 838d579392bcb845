#pragma once
// Text helpers the skinned windows share: interface texts (std::string) to
// Qt strings, and fonts sized in pixels as the faces are drawn.
#include <QFont>
#include <QString>

#include <string>

namespace ui {

inline QString q(const std::string& s) {
  return QString::fromStdString(s);
}

inline QFont faceFont(const char* family, int px) {
  QFont f(family);
  f.setPixelSize(px);
  return f;
}

}  // namespace ui
