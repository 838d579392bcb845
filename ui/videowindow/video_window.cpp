#include "ui/videowindow/video_window.h"

#include "ui/window_drag.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "ui/videowindow/osd_layer.h"
#include "video/wheel_resize.h"

namespace ui {

TfrmVideoWindow::TfrmVideoWindow(playback::Engine& engine, const settings::Settings& settings,
                                 playback::Osd& osd, const video::PictureState& picture,
                                 const std::string& programName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      engine_(engine),
      settings_(settings),
      osd_(osd),
      picture_(picture) {
  // The title is the player's title (the movie's name joins it while a movie
  // is open); the role names the window for the desktop and for scripts.
  setWindowTitle(QString::fromStdString(programName));
  setWindowRole(QString::fromStdString(programName + "VideoWindow"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAcceptDrops(true);
  setFocusPolicy(Qt::StrongFocus);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setMinimumSize(40, 30);
  if (const QScreen* s = screen())
    setMaximumSize(video::maxWindowSide(s->geometry().width()),
                   video::maxWindowSide(s->geometry().height()));
  resize(317, 245);
  grips_ = new ResizeGrips(this);
  setMouseTracking(true);
  cursorTimer_ = new QTimer(this);
  cursorTimer_->setSingleShot(true);
  cursorTimer_->setInterval(3000);
  connect(cursorTimer_, &QTimer::timeout, this, [this] { setCursor(Qt::BlankCursor); });
  engine_.setFrameCallback([this] { onFrameReady(); });
}

void TfrmVideoWindow::setCursorAutoHide(bool on) {
  cursorAutoHide_ = on;
  unsetCursor();
  if (on)
    cursorTimer_->start();
  else
    cursorTimer_->stop();
}

void TfrmVideoWindow::mouseMoveEvent(QMouseEvent*) {
  if (!cursorAutoHide_) return;
  unsetCursor();
  cursorTimer_->start();
}

TfrmVideoWindow::~TfrmVideoWindow() {
  engine_.setFrameCallback(nullptr);
}

// Streaming thread: at most one repaint request waits in the queue at a time.
void TfrmVideoWindow::onFrameReady() {
  if (repaintQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        repaintQueued_ = false;
        update(pictureRect());
      },
      Qt::QueuedConnection);
}

QRect TfrmVideoWindow::pictureRect() const {
  if (picture_.VideoWidth <= 0 || picture_.VideoHeight <= 0) return {};
  // Pan-scan only crops in full screen; in a window the whole picture shows.
  const int panScan = isFullScreen() || fullScreenOn_ ? settings_.PanScanSize : 0;
  const video::Rect r =
      video::LayoutPicture(picture_, settings_.KeepAspectRatio, width(), height(), panScan);
  return QRect(r.Left, r.Top, r.Width, r.Height);
}

// The picture is converted and scaled straight into the window's back
// buffer when the painter writes into a plain 32-bit image at one device
// pixel per pixel: the usual case, where the toolkit hands that buffer to the
// X server through shared memory (MIT-SHM, or a plain image upload where the
// server lacks it). Only the parts of the picture inside the repainted region
// are converted; a band repaint of the same picture reuses its scaled planes.
// Other painters (a grab into a pixmap, scaled screens) get a copy at the
// picture's size, drawn with the painter.
bool TfrmVideoWindow::paintPicture(QPainter& painter, const QRect& pic, const QRegion& region) {
  const uint64_t serial = engine_.frameSerial();
  const QRegion dirty = region.intersected(pic);
  const bool whole = dirty == QRegion(pic);
  QPaintEngine* paintEngine = painter.paintEngine();
  QPaintDevice* device = paintEngine ? paintEngine->paintDevice() : nullptr;
  if (device && device->devType() == QInternal::Image) {
    auto* image = static_cast<QImage*>(device);
    const QTransform& m = painter.deviceTransform();
    const QImage::Format f = image->format();
    const QRect at = m.mapRect(pic);
    if (m.type() <= QTransform::TxTranslate && image->devicePixelRatio() == 1.0 &&
        (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied) &&
        image->rect().contains(at)) {
      // constBits: the painter's image must not be detached by asking for bits().
      auto* origin = const_cast<uint8_t*>(image->constBits()) +
                     ptrdiff_t(at.top()) * image->bytesPerLine() + ptrdiff_t(at.left()) * 4;
      bool ok = true;
      for (const QRect& r : dirty) {
        const QRect local = r.translated(-pic.topLeft());
        ok = engine_.drawNewestFrame({origin, int(image->bytesPerLine()), pic.width(), pic.height(),
                                      local.left(), local.top(), local.width(), local.height()}) &&
             ok;
      }
      if (ok && whole && serial != paintedSerial_) ++paintedFrames_;
      if (ok && whole) paintedSerial_ = serial;
      frame_ = QImage();  // the copy is not needed on this path
      frameSerial_ = ~0ull;
      return ok;
    }
  }
  if (frame_.size() != pic.size() || serial != frameSerial_) {
    if (frame_.size() != pic.size()) frame_ = QImage(pic.size(), QImage::Format_RGB32);
    const bool drawn = engine_.drawNewestFrame(
        {frame_.bits(), int(frame_.bytesPerLine()), frame_.width(), frame_.height()});
    frameSerial_ = drawn ? serial : ~0ull;
    if (!drawn) return false;
  }
  if (serial != paintedSerial_) ++paintedFrames_;
  paintedSerial_ = serial;
  painter.drawImage(pic.topLeft(), frame_);
  return true;
}

void TfrmVideoWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect pic = pictureRect();
  // A repaint that leaves the picture alone only paints the bars.
  const bool drawn = !pic.isEmpty() && (!event->region().intersects(pic) ||
                                        paintPicture(painter, pic, event->region()));
  if (drawn) {
    // Black only where the picture does not cover the window.
    const QRegion bars = QRegion(rect()).subtracted(QRegion(pic));
    for (const QRect& r : bars) painter.fillRect(r, Qt::black);
  } else {
    painter.fillRect(rect(), Qt::black);
  }
  if (subtitlePainter_) subtitlePainter_(painter, rect(), pic);
  const QScreen* s = screen();
  const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
  osdZoneBottom_ =
      paintOsdLayer(painter, osd_, settings_, {size(), s ? s->geometry().width() : width(), dpi});
}

void TfrmVideoWindow::resizeEvent(QResizeEvent*) {
  grips_->place();
}

void TfrmVideoWindow::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  // A turn over the window itself acts every second time.
  wheelArmed_ = !wheelArmed_;
  if (!wheelArmed_) emit wheelTurned(delta > 0);
}

bool TfrmVideoWindow::wheelResize(bool up, double aspect) {
  if (fullScreen()) return false;
  const QScreen* s = screen();
  if (!s) return false;
  const QRect g = geometry();
  const video::WindowRect now{g.x(), g.y(), g.width(), g.height()};
  // Several monitors that do not share one origin: the whole desktop counts.
  const QRect area =
      s->virtualSiblings().size() > 1 ? s->virtualGeometry() : s->availableGeometry();
  const QRect screenSize = s->virtualSiblings().size() > 1 ? s->virtualGeometry() : s->geometry();
  const auto next = up ? video::wheelGrow(now, picture_.VideoWidth, picture_.VideoHeight, aspect,
                                          screenSize.width(), screenSize.height())
                       : video::wheelShrink(now, {area.x(), area.y(), area.width(), area.height()});
  if (!next || *next == now) return false;
  setGeometry(next->left, next->top, next->width, next->height);
  return true;
}

void TfrmVideoWindow::repaintOsd() {
  // The band down to OsdZoneBottom, or the top third before the first
  // message sets it; the frame and subtitle layer are painted under it again.
  update(QRect(0, 0, width(), std::max({osdZoneBottom_, height() / 3, 1})));
}

void TfrmVideoWindow::showSurface() {
  if (!isVisible()) show();
  raise();
  // A dialog the user has open (configuration, jump to time, ...) stays above
  // the picture when the playlist moves on to the next movie.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) modal->raise();
}

void TfrmVideoWindow::hideSurface() {
  if (fullScreenByOwner_ && fullScreenOn_) emit leaveFullScreenRequested();
  setFullScreen(false);
  hide();
}

void TfrmVideoWindow::resizeToPicture(int widthPx, int heightPx) {
  if (widthPx <= 0 || heightPx <= 0 || fullScreen()) return;
  const QPoint centre = geometry().center();
  resize(widthPx, heightPx);
  move(centre.x() - widthPx / 2, centre.y() - heightPx / 2);
}

void TfrmVideoWindow::windowSize(int& widthPx, int& heightPx) const {
  const QRect bounds =
      (isFullScreen() || fullScreenOn_) && windowedBounds_.isValid() ? windowedBounds_ : geometry();
  widthPx = bounds.width();
  heightPx = bounds.height();
}

void TfrmVideoWindow::setFullScreen(bool on) {
  if (on == isFullScreen()) return;
  grips_->setVisible(!on);
  if (on) {
    windowedBounds_ = geometry();
    showFullScreen();
  } else {
    showNormal();
    if (windowedBounds_.isValid()) setGeometry(windowedBounds_);
  }
  emit fullScreenChanged(on);
}

void TfrmVideoWindow::showFullScreenOn(const QRect& monitor) {
  grips_->setVisible(false);
  const bool was = fullScreenOn_;
  if (!was) windowedBounds_ = geometry();
  fullScreenOn_ = true;
  // Placed first: without a window manager the full-screen state alone does
  // not move the window. A new geometry ends the toolkit's full-screen state,
  // so the state is set again afterwards.
  setGeometry(monitor);
  if (!isFullScreen()) setWindowState(windowState() | Qt::WindowFullScreen);
  if (!isVisible()) show();
  raise();
  if (!was) emit fullScreenChanged(true);
}

void TfrmVideoWindow::showWindowedAt(const QRect& bounds) {
  const bool was = fullScreenOn_;
  fullScreenOn_ = false;
  grips_->setVisible(true);
  if (isFullScreen()) setWindowState(windowState() & ~Qt::WindowFullScreen);
  setGeometry(bounds);
  if (was) emit fullScreenChanged(false);
}

void TfrmVideoWindow::mousePressEvent(QMouseEvent* event) {
  // The player moves the window itself, and only once the pointer leaves the
  // drag distance: a window-manager move started on the press would take the
  // pointer and swallow the second click of a double click.
  if (event->button() == Qt::LeftButton && !fullScreen())
    StartWindowDrag(this, event->globalPosition().toPoint());
}

void TfrmVideoWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (fullScreenByOwner_)
    emit fullScreenToggleRequested();
  else
    setFullScreen(!isFullScreen());
}

void TfrmVideoWindow::keyPressEvent(QKeyEvent* event) {
  emit keyPressed(event->key(), event->modifiers());
}

void TfrmVideoWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmVideoWindow::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  if (!paths.isEmpty()) emit filesDropped(paths);
  event->acceptProposedAction();
}

void TfrmVideoWindow::closeEvent(QCloseEvent* event) {
  // The user closing the window ends the program, which the owner does in
  // order; closes by the program itself (application quit) go through.
  if (!event->spontaneous()) return;
  event->ignore();
  emit closeRequested();
}

}  // namespace ui
