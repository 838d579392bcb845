#include "ui/key_definitions_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

namespace ui {

namespace {

constexpr int kTitleColor = 0x999999;
constexpr QPoint kListTopLeft(1, 23);
constexpr int kListTextPx = 13;
constexpr int kMargin = 30;         // the longest line + this fits
constexpr int kScreenMargin = 16;   // the window stays this much narrower than the screen
constexpr int kStretchedEdge = 20;  // the right band of the skin kept as drawn
constexpr int kColumnGap = 16;      // between the longest action and the key column

// Indices of the interface texts.
constexpr int kTitleKeyDefinitions = 6;
constexpr int kHintClose = 0;

bool& openFlag() {
  static bool open = false;
  return open;
}

}  // namespace

QImage stretchRightEdge(const QImage& face, int width) {
  if (width <= face.width() || face.width() <= kStretchedEdge) return face;
  QImage wide(width, face.height(), face.format());
  QPainter p(&wide);
  const int kept = face.width() - kStretchedEdge;
  p.drawImage(QPoint(0, 0), face, QRect(0, 0, kept, face.height()));
  const QImage column = face.copy(kept - 1, 0, 1, face.height());
  for (int x = kept; x < width - kStretchedEdge; ++x) p.drawImage(QPoint(x, 0), column);
  p.drawImage(QPoint(width - kStretchedEdge, 0), face,
              QRect(kept, 0, kStretchedEdge, face.height()));
  return wide;
}

QPoint centredInside(const QSize& size, const QRect& anchor, const QRect& area) {
  QRect r(QPoint(), size);
  r.moveCenter(anchor.center());
  const int left =
      std::max(area.left(), std::min(r.left(), area.left() + area.width() - size.width()));
  const int top =
      std::max(area.top(), std::min(r.top(), area.top() + area.height() - size.height()));
  return {left, top};
}

TfrmKeyboard::TfrmKeyboard(const texts::InterfaceTexts& texts, int screenWidth, QWidget* parent)
    : SkinWindow(parent, Qt::Dialog) {
  const QString title = QString::fromStdString(texts.Titles[kTitleKeyDefinitions]);
  setWindowTitle(title);
  QFont listFont("Arial");
  listFont.setPixelSize(kListTextPx);
  const QFontMetrics metrics(listFont);
  // Each line is an action, a run of tabs and its keys; the runs were counted
  // for another font, so every run becomes one tab to a single key column
  // just right of the longest action.
  QString text = QString::fromStdString(texts.Misc[0]).replace("\r\n", "\n");
  text.replace(QRegularExpression("\t+"), "\t");
  int actions = 0, keys = 0, plain = 0;
  for (const QString& line : text.split('\n')) {
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0) {
      plain = std::max(plain, metrics.horizontalAdvance(line));
      continue;
    }
    actions = std::max(actions, metrics.horizontalAdvance(line.left(tab)));
    keys = std::max(keys, metrics.horizontalAdvance(line.mid(tab + 1)));
  }
  const int tabStop = actions + kColumnGap;
  longest_ = std::max(plain, tabStop + keys);

  QImage face = loadSkinImage("Keyboard");
  const int wanted = std::min(longest_ + kMargin, screenWidth - kScreenMargin);
  face = stretchRightEdge(face, wanted);
  {
    QPainter p(&face);
    QFont titleFont("Verdana");
    // 9 points scaled by 96 / the screen's pixels per inch, so it keeps its pixel size.
    titleFont.setPointSize(
        std::max(1, int(std::nearbyint(96.0 / std::max(logicalDpiY(), 1) * 9.0))));
    p.setFont(titleFont);
    p.setPen(colorFromBgr(kTitleColor));
    p.drawText(QRect(5, 5, face.width() - 30, 16), Qt::AlignLeft | Qt::AlignTop, title);
  }
  setFace(face);
  const int w = face.width();
  close_ = std::make_unique<TVirtualButton>(
      *this, QRect(QPoint(w - 17, 7), QPoint(w - 8, 16)), true, "MainbtnClose",
      QString::fromStdString(texts.Hints[kHintClose]), ButtonLook::ImageNoDisabled);
  addSkinWidget(close_.get());
  close_->paint();

  list_ = new QPlainTextEdit(this);
  list_->setGeometry(QRect(kListTopLeft, QSize(w - 2, face.height() - kListTopLeft.y() - 1)));
  list_->setFont(listFont);
  list_->setTabStopDistance(tabStop);
  list_->setReadOnly(true);
  list_->setLineWrapMode(QPlainTextEdit::NoWrap);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setFrameShape(QFrame::NoFrame);
  list_->setStyleSheet("QPlainTextEdit { background: #404040; color: #FEFFFF; }");
  list_->setPlainText(text);
  list_->installEventFilter(this);
  setFocusProxy(list_);
  setClosedByEnterOrEscape(true);
}

TfrmKeyboard::~TfrmKeyboard() = default;

bool TfrmKeyboard::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
      close();
      return true;
    }
  }
  return SkinWindow::eventFilter(watched, event);
}

void TfrmKeyboard::widgetClicked(SkinWidget* widget) {
  if (widget == close_.get()) close();
}

void TfrmKeyboard::closeEvent(QCloseEvent* event) {
  SkinWindow::closeEvent(event);
  emit closed();
}

bool keyDefinitionsOpen() {
  return openFlag();
}

void ShowKeyDefinitions(QWidget* anchor, const QRect& fullScreenMonitor) {
  if (openFlag()) return;
  openFlag() = true;
  QScreen* screen =
      anchor && anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->geometry().width() : 1024;
  QPointer<TfrmKeyboard> window = new TfrmKeyboard(texts::currentTexts(), screenWidth, anchor);
  if (!fullScreenMonitor.isEmpty()) {
    window->move(centredInside(window->size(), fullScreenMonitor, fullScreenMonitor));
  } else {
    // With several monitors the main window's monitor bounds it, else the work area.
    const QRect area = !screen                                 ? QRect()
                       : QGuiApplication::screens().size() > 1 ? screen->geometry()
                                                               : screen->availableGeometry();
    const QRect around = anchor && anchor->isVisible() ? anchor->frameGeometry() : area;
    window->move(centredInside(window->size(), around, area));
  }
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(window, &TfrmKeyboard::closed, &loop, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->show();
  window->raise();
  window->activateWindow();
  window->list()->setFocus();
  loop.exec(QEventLoop::DialogExec);
  delete window.data();
  openFlag() = false;
}

}  // namespace ui
