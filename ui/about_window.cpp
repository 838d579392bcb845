#include "ui/about_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

#ifndef TARVELINO_VERSION
#define TARVELINO_VERSION "0.0.0"
#endif
#ifndef TARVELINO_HOME_URL
#define TARVELINO_HOME_URL ""
#endif
#ifndef TARVELINO_LICENCE_URL
#define TARVELINO_LICENCE_URL ""
#endif

namespace ui {

namespace {

constexpr int kTitleColor = 0x999999;
constexpr int kTextColor = 0xC0C0C0;
constexpr int kLinkColor = 0x16FA16;  // 0x00BBGGRR: green

bool& openFlag() {
  static bool open = false;
  return open;
}

QFont faceFont(const char* family, int px, bool bold = false, bool underline = false) {
  QFont f(family);
  f.setPixelSize(px);
  f.setBold(bold);
  f.setUnderline(underline);
  return f;
}

}  // namespace

QUrl TfrmAbout::homeUrl() {
  return QUrl(QStringLiteral(TARVELINO_HOME_URL));
}
QUrl TfrmAbout::licenceUrl() {
  return QUrl(QStringLiteral(TARVELINO_LICENCE_URL));
}
QString TfrmAbout::versionText() {
  return QStringLiteral(TARVELINO_VERSION);
}

TfrmAbout::TfrmAbout(const texts::InterfaceTexts& texts, QWidget* parent)
    : SkinWindow(parent, Qt::Dialog) {
  setClosedByEnterOrEscape(true);
  const QString title = QString::fromStdString(texts.Titles[0]);
  setWindowTitle(title);
  QImage face = loadSkinImage("About");
  {
    QPainter p(&face);
    p.setFont(faceFont("Verdana", 12));
    p.setPen(colorFromBgr(kTitleColor));
    p.drawText(QRect(5, 5, face.width() - 30, 16), Qt::AlignLeft | Qt::AlignTop, title);
    p.drawImage(QRect(22, 44, 64, 64), loadSkinImage("AppIcon"));
    p.setPen(colorFromBgr(kTextColor));
    p.setFont(faceFont("Arial", 18, true));
    p.drawText(QRect(118, 42, 180, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tarvelino"));
    p.setFont(faceFont("Arial", 12));
    p.drawText(QRect(118, 70, 180, 18), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(texts.Labels[0]) + " " + versionText());
    p.setFont(faceFont("Arial", 12, false, true));
    p.setPen(colorFromBgr(kLinkColor));
    const QFontMetrics fm(p.font());
    const QString home = homeUrl().isEmpty() ? QString() : homeUrl().toString();
    const QString licence = QStringLiteral("Licence");
    homeRect_ = QRect(118, 120, std::min(180, fm.horizontalAdvance(home) + 2), 18);
    licenceRect_ = QRect(118, 146, fm.horizontalAdvance(licence) + 2, 18);
    p.drawText(homeRect_, Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(home, Qt::ElideRight, homeRect_.width()));
    p.drawText(licenceRect_, Qt::AlignLeft | Qt::AlignVCenter, licence);
  }
  setFace(face);
  const int w = face.width();
  close_ = std::make_unique<TVirtualButton>(
      *this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)), true, "MainbtnClose",
      QString::fromStdString(texts.Hints[0]), ButtonLook::ImageNoDisabled);
  addSkinWidget(close_.get());
  close_->paint();
  connect(this, &TfrmAbout::linkActivated, this,
          [](const QUrl& url) { QDesktopServices::openUrl(url); });
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::widgetClicked(SkinWidget* widget) {
  if (widget == close_.get()) close();
}

void TfrmAbout::facePressed(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (homeRect_.contains(p) && !homeUrl().isEmpty())
    emit linkActivated(homeUrl());
  else if (licenceRect_.contains(p) && !licenceUrl().isEmpty())
    emit linkActivated(licenceUrl());
  else
    SkinWindow::facePressed(event);
}

void TfrmAbout::mouseMoveEvent(QMouseEvent* event) {
  SkinWindow::mouseMoveEvent(event);
  const QPoint p = event->position().toPoint();
  if (homeRect_.contains(p) || licenceRect_.contains(p)) setPointer(PointerShape::HandPoint);
}

void TfrmAbout::closeEvent(QCloseEvent* event) {
  SkinWindow::closeEvent(event);
  emit closed();
}

bool aboutWindowOpen() {
  return openFlag();
}

void ShowAboutWindow(QWidget* anchor) {
  if (openFlag()) return;
  openFlag() = true;
  QPointer<TfrmAbout> window = new TfrmAbout(texts::currentTexts(), anchor);
  QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
  QRect r(QPoint(), window->size());
  r.moveCenter(anchor && anchor->isVisible() ? anchor->frameGeometry().center()
                                             : (screen ? screen->geometry().center() : QPoint()));
  if (screen) {
    const QRect area = screen->availableGeometry();
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height())));
  }
  window->move(r.topLeft());
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(window, &TfrmAbout::closed, &loop, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->show();
  window->raise();
  window->activateWindow();
  loop.exec(QEventLoop::DialogExec);
  delete window.data();
  openFlag() = false;
}

}  // namespace ui
