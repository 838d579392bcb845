#include "ui/shutdown_window.h"

#include "playback/power_off.h"
#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace ui {
namespace {

constexpr int kTitleColor = 0x999999;
constexpr int kTextColor = 0x166116;  // 0x00BBGGRR: a green
// The text label: 180 px wide, centred in the first 250 px, from 46 down.
const QRect kLabelRect((250 - 180) / 2, 46, 180, 50);

QFont titleFont() {
  QFont font("Verdana");
  font.setPixelSize(12);  // 9 points at 96 pixels per inch
  return font;
}

QFont labelFont() {
  QFont font("Arial");
  font.setPixelSize(16);  // 12 points at 96 pixels per inch
  return font;
}

}  // namespace

TfrmShutDown::TfrmShutDown(const texts::InterfaceTexts& texts, QWidget* parent)
    : SkinWindow(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), texts_(texts) {
  setWindowTitle(QString::fromStdString(texts.Titles[7]));
  QImage face = loadSkinImage("Message2");
  {
    QPainter painter(&face);
    painter.setFont(titleFont());
    painter.setPen(colorFromBgr(kTitleColor));
    painter.drawText(QRect(5, 5, face.width() - 30, 16), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(texts.Titles[7]));
  }
  setFace(face);
  const int w = face.width();
  close_ = std::make_unique<TVirtualButton>(
      *this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)), true, "MainbtnClose",
      QString::fromStdString(texts.Hints[0]), ButtonLook::ImageNoDisabled);
  cancel_ = std::make_unique<TVirtualButton>(*this, QRect((w - 80) / 2, 104, 80, 20),
                                             QString::fromStdString(texts.Buttons[7]), QString(),
                                             TextAnchor::Centre);
  addSkinWidget(close_.get());
  addSkinWidget(cancel_.get());
  for (SkinWidget* widget : skinWidgets()) widget->paint();
  setRemainingSeconds(playback::PowerOffCountdown::kSeconds);
}

TfrmShutDown::~TfrmShutDown() = default;

void TfrmShutDown::setRemainingSeconds(int seconds) {
  const std::string text =
      playback::PowerOffCountdown::countdownText(texts_.Messages[21], texts_.Messages[22], seconds);
  text_ = QString::fromStdString(text);
  // The label's area of the face, then the text over it.
  QPainter painter(&background());
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(kLabelRect.topLeft(), this->face(), kLabelRect);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setFont(labelFont());
  painter.setPen(colorFromBgr(kTextColor));
  QString shown = text_;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  painter.drawText(kLabelRect, Qt::AlignHCenter | Qt::AlignTop, shown);
  painter.end();
  restoreFromBackground(kLabelRect);
}

void TfrmShutDown::showCentred(QWidget* centreOn, bool fullScreen) {
  QScreen* screen = centreOn ? centreOn->screen() : QGuiApplication::primaryScreen();
  QRect r(QPoint(), size());
  if (fullScreen && screen) {
    r.moveCenter(screen->geometry().center());
  } else {
    if (centreOn) r.moveCenter(centreOn->frameGeometry().center());
    if (screen) {
      const QRect area = screen->availableGeometry();
      r.moveLeft(
          std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
      r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height())));
    }
  }
  move(r.topLeft());
  show();
  raise();
  activateWindow();
}

void TfrmShutDown::closeQuietly() {
  quiet_ = true;
  close();
}

QRect TfrmShutDown::cancelRect() const {
  return cancel_->rect();
}
QRect TfrmShutDown::closeRect() const {
  return close_->rect();
}

void TfrmShutDown::widgetClicked(SkinWidget* widget) {
  if (widget == close_.get() || widget == cancel_.get()) close();
}

void TfrmShutDown::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape)
    close();
  else
    SkinWindow::keyPressEvent(event);
}

void TfrmShutDown::closeEvent(QCloseEvent* event) {
  SkinWindow::closeEvent(event);
  if (!quiet_) emit cancelled();
  quiet_ = false;
}

}  // namespace ui
