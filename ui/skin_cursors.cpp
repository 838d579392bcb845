#include "ui/skin_cursors.h"

#include "ui/skin_loader.h"

#include <QPixmap>

namespace ui {

// Hot spots match the finger tip of the generated 32 x 32 images.
const QCursor& handPointCursor() {
  static const QCursor cursor(QPixmap::fromImage(loadSkinImage("CRHANDPOINT")), 10, 1);
  return cursor;
}

const QCursor& handPressCursor() {
  static const QCursor cursor(QPixmap::fromImage(loadSkinImage("CRHANDPRESS")), 10, 6);
  return cursor;
}

QIcon applicationIcon() {
  const QImage image = loadSkinImage("APPICON");
  QIcon icon;
  for (const int size : {16, 24, 32, 48})
    icon.addPixmap(QPixmap::fromImage(
        image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}

}  // namespace ui
