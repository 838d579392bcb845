#include "ui/jump_window.h"
#include "ui/face_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

#include "playback/time_text.h"
#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

namespace ui {

namespace {

constexpr int kTitleColor = 0x999999;
constexpr int kTextColor = 0xC0C0C0;
constexpr QRect kField(20, 34, 90, 22);
constexpr int kButtonTop = 70;

// Indices of the interface texts.
constexpr int kTitleJump = 5;
constexpr int kLabelFrom = 28;
constexpr int kHintClose = 0;
constexpr int kButtonOk = 6;
constexpr int kButtonCancel = 7;

bool& openFlag() {
  static bool open = false;
  return open;
}

}  // namespace

TfrmJump::TfrmJump(int64_t lastSeconds, int64_t durationSeconds, const texts::InterfaceTexts& texts,
                   QWidget* parent)
    : SkinWindow(parent, Qt::Dialog),
      shownSeconds_(std::clamp<int64_t>(lastSeconds, 0, std::max<int64_t>(durationSeconds, 0))) {
  const QString title = q(texts.Titles[kTitleJump]);
  setWindowTitle(title);
  QImage face = loadSkinImage("Jump");
  {
    QPainter p(&face);
    p.setFont(faceFont("Verdana", 12));
    p.setPen(colorFromBgr(kTitleColor));
    p.drawText(QRect(5, 5, face.width() - 30, 16), Qt::AlignLeft | Qt::AlignTop, title);
    p.setFont(faceFont("Arial", 13));
    p.setPen(colorFromBgr(kTextColor));
    p.drawText(QRect(kField.right() + 12, kField.top(), face.width() - kField.right() - 20,
                     kField.height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               q(texts.Labels[kLabelFrom] + "  " + playback::formatJumpTime(durationSeconds)));
  }
  setFace(face);
  const int w = face.width();
  close_ = std::make_unique<TVirtualButton>(*this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)),
                                            true, "MainbtnClose", q(texts.Hints[kHintClose]),
                                            ButtonLook::ImageNoDisabled);
  ok_ = std::make_unique<TVirtualButton>(*this, QRect(w - 190, kButtonTop, 80, 20),
                                         q(texts.Buttons[kButtonOk]), QString(), TextAnchor::Left);
  cancel_ = std::make_unique<TVirtualButton>(*this, QRect(w - 100, kButtonTop, 80, 20),
                                             q(texts.Buttons[kButtonCancel]), QString(),
                                             TextAnchor::Left);
  for (TVirtualButton* b : {close_.get(), ok_.get(), cancel_.get()}) {
    addSkinWidget(b);
    b->paint();
  }
  field_ = new QLineEdit(this);
  field_->setGeometry(kField);
  field_->setMaxLength(playback::kJumpTextLength);
  field_->setFont(faceFont("Arial", 14));
  field_->setFrame(false);
  field_->setStyleSheet("QLineEdit { background: #0c0f12; color: #e0e0e0; padding-left: 4px; }");
  field_->installEventFilter(this);
  refill();
  setFocusProxy(field_);
}

TfrmJump::~TfrmJump() = default;

QRect TfrmJump::okRect() const {
  return ok_->rect();
}
QRect TfrmJump::cancelRect() const {
  return cancel_->rect();
}

void TfrmJump::refill() {
  field_->setText(QString::fromStdString(playback::formatJumpTime(shownSeconds_)));
  field_->setCursorPosition(playback::kJumpCaretPosition);
  field_->setFocus();
}

void TfrmJump::confirm() {
  const std::optional<int64_t> seconds = playback::parseJumpTime(field_->text().toStdString());
  if (!seconds) {
    refill();
    QApplication::beep();
    return;
  }
  result_ = *seconds;
  close();
}

bool TfrmJump::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_ || event->type() != QEvent::KeyPress)
    return SkinWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      confirm();
      return true;
    case Qt::Key_Escape:
      close();
      return true;
    case Qt::Key_Backspace:
      return false;
    default:
      break;
  }
  // Characters other than the digits and ":" never enter the field; keys
  // without a character (arrows, Home, End, Delete) still move and edit.
  const QString text = key->text();
  if (text.isEmpty() || !text.at(0).isPrint()) return false;
  return !(text.size() == 1 && text.at(0).unicode() < 128 &&
           playback::jumpCharacterAccepted(char(text.at(0).unicode())));
}

void TfrmJump::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    confirm();
  else if (event->key() == Qt::Key_Escape)
    close();
  else
    SkinWindow::keyPressEvent(event);
}

void TfrmJump::widgetClicked(SkinWidget* widget) {
  if (widget == ok_.get())
    confirm();
  else if (widget == cancel_.get() || widget == close_.get())
    close();
}

void TfrmJump::closeEvent(QCloseEvent* event) {
  SkinWindow::closeEvent(event);
  emit closed();
}

bool jumpDialogOpen() {
  return openFlag();
}

std::optional<int64_t> ShowJumpDialog(int64_t lastSeconds, int64_t durationSeconds,
                                      playback::JumpPlacement placement, QWidget* parent) {
  if (openFlag()) return std::nullopt;
  openFlag() = true;
  QPointer<TfrmJump> window =
      new TfrmJump(lastSeconds, durationSeconds, texts::currentTexts(), parent);
  placement.width = window->width();
  placement.height = window->height();
  const auto [x, y] = playback::placeJumpDialog(placement);
  window->move(x, y);
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(window, &TfrmJump::closed, &loop, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->show();
  window->raise();
  window->activateWindow();
  window->field()->setFocus();
  loop.exec(QEventLoop::DialogExec);
  const std::optional<int64_t> result = window ? window->result() : std::nullopt;
  delete window.data();
  openFlag() = false;
  return result;
}

}  // namespace ui
