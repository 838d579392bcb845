#include "ui/videowindow/video_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace ui {

namespace {

// 0x00BBGGRR as a colour.
QColor colorFromBgr(int bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int roundEven(double x) {
  return int(std::nearbyint(x));
}

}  // namespace

TfrmVideoWindow::TfrmVideoWindow(playback::Engine& engine, const settings::Settings& settings,
                                 playback::Osd& osd, const video::PictureState& picture,
                                 const std::string& programName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      engine_(engine),
      settings_(settings),
      osd_(osd),
      picture_(picture) {
  setWindowTitle(QString::fromStdString(programName + "VideoWindow"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAcceptDrops(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(40, 30);
  resize(317, 245);
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
  const int panScan = isFullScreen() ? settings_.PanScanSize : 0;
  const video::Rect r =
      video::LayoutPicture(picture_, settings_.KeepAspectRatio, width(), height(), panScan);
  return QRect(r.Left, r.Top, r.Width, r.Height);
}

void TfrmVideoWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect pic = pictureRect();
  bool drawn = false;
  if (!pic.isEmpty()) {
    const uint64_t serial = engine_.frameSerial();
    if (frame_.size() != pic.size() || serial != frameSerial_) {
      if (frame_.size() != pic.size()) frame_ = QImage(pic.size(), QImage::Format_RGB32);
      drawn = engine_.drawNewestFrame(
          {frame_.bits(), int(frame_.bytesPerLine()), frame_.width(), frame_.height()});
      if (drawn && serial != frameSerial_) ++paintedFrames_;
      frameSerial_ = drawn ? serial : ~0ull;
    } else {
      drawn = true;
    }
  }
  if (drawn) {
    // Black only where the picture does not cover the window.
    const QRegion bars = QRegion(rect()).subtracted(QRegion(pic));
    for (const QRect& r : bars) painter.fillRect(r, Qt::black);
    painter.drawImage(pic.topLeft(), frame_);
  } else {
    painter.fillRect(rect(), Qt::black);
  }
  if (subtitlePainter_) subtitlePainter_(painter, rect(), pic);
  paintOsd(painter);
}

void TfrmVideoWindow::paintOsd(QPainter& painter) {
  auto& osd = osd_;
  if (osd_.empty() && osd_.clock().empty()) {
    osd.shownText.clear();
    return;
  }
  const QScreen* screen = this->screen();
  const double monitorWidth = screen ? screen->geometry().width() : width();
  const double dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
  // Point size from the monitor width and OsdSize percent; outline width q
  // grows with the font.
  const int points = std::max(1, roundEven(monitorWidth * 0.0216 * settings_.OsdSize / dpi));
  QFont font("Arial");
  font.setBold(true);
  font.setPointSize(points);
  painter.setFont(font);
  const int q = roundEven(points * 0.1 * dpi / 96);
  const int r = roundEven(q * 0.707);
  const QFontMetrics metrics(font);
  const int y = roundEven(height() * 0.1);

  auto outlined = [&](const QString& text, int x) {
    const QRect box(x, y, metrics.horizontalAdvance(text) + 2 * q + 2, metrics.height() + 2 * q);
    painter.setPen(Qt::black);
    const QPoint offsets[] = {{-q, 0}, {0, -q}, {0, q}, {q, 0}, {-r, -r}, {-r, r}, {r, -r}, {r, r}};
    if (q > 0)
      for (const QPoint& o : offsets) painter.drawText(box.translated(o), Qt::AlignLeft, text);
    painter.setPen(colorFromBgr(settings_.OsdColor));
    painter.drawText(box, Qt::AlignLeft, text);
  };

  if (!osd_.empty()) {
    QString text = QString::fromStdString(osd_.message());
    const int full = metrics.horizontalAdvance(text);
    // Keep as many characters as fit 80 % of the width (75 % less the clock).
    const double space =
        osd_.clock().empty() ? 0.8 * width() : 0.75 * width() - metrics.horizontalAdvance("00:00");
    if (full > 0 && full > space) {
      const int n = int(text.size());
      text = text.left(std::min(n, roundEven(n * std::max(0.0, space) / full)));
    }
    outlined(text, roundEven(width() * 0.1));
    osd.shownText = osd_.message();
  } else {
    osd.shownText.clear();
  }
  if (!osd_.clock().empty()) {
    const QString clock = QString::fromStdString(osd_.clock());
    outlined(clock, roundEven(width() * 0.9) - metrics.horizontalAdvance(clock));
  }
}

void TfrmVideoWindow::repaintOsd() {
  // The message band at the top tenth plus a generous text height.
  update(QRect(0, 0, width(), std::max(height() / 3, 1)));
}

void TfrmVideoWindow::showSurface() {
  if (!isVisible()) show();
  raise();
}

void TfrmVideoWindow::hideSurface() {
  setFullScreen(false);
  hide();
}

void TfrmVideoWindow::resizeToPicture(int widthPx, int heightPx) {
  if (widthPx <= 0 || heightPx <= 0 || isFullScreen()) return;
  const QPoint centre = geometry().center();
  resize(widthPx, heightPx);
  move(centre.x() - widthPx / 2, centre.y() - heightPx / 2);
}

void TfrmVideoWindow::windowSize(int& widthPx, int& heightPx) const {
  const QRect bounds = isFullScreen() && windowedBounds_.isValid() ? windowedBounds_ : geometry();
  widthPx = bounds.width();
  heightPx = bounds.height();
}

void TfrmVideoWindow::setFullScreen(bool on) {
  if (on == isFullScreen()) return;
  if (on) {
    windowedBounds_ = geometry();
    showFullScreen();
  } else {
    showNormal();
    if (windowedBounds_.isValid()) setGeometry(windowedBounds_);
  }
  emit fullScreenChanged(on);
}

void TfrmVideoWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !isFullScreen() && windowHandle())
    windowHandle()->startSystemMove();
}

void TfrmVideoWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) setFullScreen(!isFullScreen());
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
