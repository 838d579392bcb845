#include "ui/message_window.h"

#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"
#include "ui/virtual_toggles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace ui {
namespace {

constexpr int kTitleColor = 0x999999;
constexpr int kTextColor = 0x166116;  // 0x00BBGGRR: a green
constexpr int kCheckBoxHeight = 21;

QPointer<QWidget>& anchorWindow() {
  static QPointer<QWidget> anchor;
  return anchor;
}

bool& openFlag() {
  static bool open = false;
  return open;
}

QFont messageFont() {
  QFont font("Arial");
  font.setPixelSize(14);  // a 16 px line
  return font;
}

QFont titleFont() {
  QFont font("Verdana");
  font.setPixelSize(12);  // 9 points at 96 pixels per inch
  return font;
}

}  // namespace

TfrmMessage::TfrmMessage(const std::string& text, bool withCheckBox,
                         const texts::InterfaceTexts& texts, QWidget* parent)
    : SkinWindow(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), withCheckBox_(withCheckBox) {
  setWindowTitle(QString::fromStdString(texts.Titles[7]));
  const QImage skin = loadSkinImage("Message1");
  check_ = std::make_unique<TVirtualCheckbox>(*this, 13, QString::fromStdString(texts.Options[9]));
  const QSize box = withCheckBox
                        ? QSize(check_->faceWidth() + check_->captionWidth() + 39, kCheckBoxHeight)
                        : QSize();
  int maxHeight = 10000;
  if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
    maxHeight = screen->availableGeometry().height() - 40;
  layout_ = layoutMessage(QString::fromStdString(text), messageFont(), skin.size(), box, maxHeight);

  QImage face = resizeMessagePicture(skin, layout_.picture);
  {
    QPainter painter(&face);
    painter.setFont(titleFont());
    painter.setPen(colorFromBgr(kTitleColor));
    painter.drawText(QRect(5, 5, face.width() - 30, 16), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(texts.Titles[7]));
    painter.setFont(messageFont());
    painter.setPen(colorFromBgr(kTextColor));
    painter.drawText(layout_.labelRect.adjusted(-2, 0, 2, 0), Qt::AlignHCenter | Qt::AlignTop,
                     layout_.lines.join('\n'));
  }
  setFace(face);

  const int w = face.width();
  close_ = std::make_unique<TVirtualButton>(
      *this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)), true, "MainbtnClose",
      QString::fromStdString(texts.Hints[0]), ButtonLook::ImageNoDisabled);
  ok_ = std::make_unique<TVirtualButton>(*this, layout_.okRect,
                                         QString::fromStdString(texts.Buttons[6]), QString(),
                                         TextAnchor::Centre);
  check_->setVertical(layout_.checkTop, layout_.checkBottom);
  check_->setVisible(withCheckBox);
  addSkinWidget(close_.get());
  addSkinWidget(ok_.get());
  if (withCheckBox) addSkinWidget(check_.get());
  for (SkinWidget* widget : skinWidgets()) widget->paint();
}

TfrmMessage::~TfrmMessage() = default;

bool TfrmMessage::checked() const {
  return withCheckBox_ && check_->checked();
}
void TfrmMessage::setChecked(bool checked) {
  check_->setChecked(checked);
}
QRect TfrmMessage::okRect() const {
  return ok_->rect();
}
QRect TfrmMessage::closeRect() const {
  return close_->rect();
}
QRect TfrmMessage::checkRect() const {
  return check_->rect();
}

void TfrmMessage::placeOnScreen() {
  QWidget* anchor = anchorWindow();
  QScreen* screen = nullptr;
  QPoint centre;
  if (anchor && anchor->isVisible() && anchor->isEnabled()) {
    centre = anchor->frameGeometry().center();
    screen = anchor->screen();
  } else {
    QWidget* owner = parentWidget();
    screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) centre = screen->geometry().center();
  }
  QRect r(QPoint(), size());
  r.moveCenter(centre);
  if (screen) {
    const QRect area = screen->availableGeometry();
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() - r.width())));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() - r.height())));
  }
  move(r.topLeft());
}

void TfrmMessage::showModal() {
  setWindowModality(Qt::ApplicationModal);
  placeOnScreen();
  show();
  raise();
  activateWindow();
  QApplication::beep();
}

void TfrmMessage::widgetClicked(SkinWidget* widget) {
  if (widget == close_.get() || widget == ok_.get()) close();
}

void TfrmMessage::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape)
    close();
  else
    SkinWindow::keyPressEvent(event);
}

void TfrmMessage::closeEvent(QCloseEvent* event) {
  SkinWindow::closeEvent(event);
  emit closed();
}

void setMessageAnchorWindow(QWidget* window) {
  anchorWindow() = window;
}

bool messageWindowOpen() {
  return openFlag();
}

bool ShowMessageWindow(const std::string& text, QWidget* owner, bool withCheckBox,
                       const texts::InterfaceTexts& texts) {
  // A second message while one shows is dropped, and its box reads unchecked.
  if (openFlag()) return false;
  openFlag() = true;
  QWidget* parent = owner ? owner->window() : anchorWindow().data();
  // On the heap and watched: the owner may be destroyed while the message shows.
  QPointer<TfrmMessage> window = new TfrmMessage(text, withCheckBox, texts, parent);
  QEventLoop loop;
  QObject::connect(window, &TfrmMessage::closed, &loop, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->showModal();
  loop.exec(QEventLoop::DialogExec);
  const bool result = window && window->checked();
  delete window.data();
  openFlag() = false;
  return withCheckBox && result;
}

bool ShowMessageWindow(const std::string& text, QWidget* owner, bool withCheckBox) {
  return ShowMessageWindow(text, owner, withCheckBox, texts::currentTexts());
}

}  // namespace ui
