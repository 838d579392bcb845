#include "ui/configuration_widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/colors.h"
#include "ui/virtual_button.h"

namespace ui {

namespace {

// Names of the keys a boss-key shortcut may use, as the boss key reads them.
std::string keyName(int key, bool keypad) {
  if (keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
      return "Num " + std::string(1, char('0' + key - Qt::Key_0));
    switch (key) {
      case Qt::Key_Delete:
      case Qt::Key_Comma:
      case Qt::Key_Period:
        return "Num Del";
      case Qt::Key_Plus:
        return "Num +";
      case Qt::Key_Minus:
        return "Num -";
      case Qt::Key_Asterisk:
        return "Num *";
      case Qt::Key_Slash:
        return "Num /";
      case Qt::Key_Enter:
        return "Num Enter";
      default:
        break;
    }
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::string(1, char('A' + key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return std::string(1, char('0' + key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return "F" + std::to_string(key - Qt::Key_F1 + 1);
  switch (key) {
    case Qt::Key_Delete:
      return "Del";
    case Qt::Key_Insert:
      return "Ins";
    case Qt::Key_Home:
      return "Home";
    case Qt::Key_End:
      return "End";
    case Qt::Key_PageUp:
      return "PgUp";
    case Qt::Key_PageDown:
      return "PgDn";
    case Qt::Key_Space:
      return "Space";
    case Qt::Key_Escape:
      return "Esc";
    case Qt::Key_Tab:
      return "Tab";
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return "Enter";
    case Qt::Key_Left:
      return "Left";
    case Qt::Key_Right:
      return "Right";
    case Qt::Key_Up:
      return "Up";
    case Qt::Key_Down:
      return "Down";
    case Qt::Key_Pause:
      return "Pause";
    default:
      return {};
  }
}

}  // namespace

std::string hotKeyText(int key, Qt::KeyboardModifiers modifiers) {
  const std::string name = keyName(key, modifiers & Qt::KeypadModifier);
  if (name.empty()) return {};
  std::string text;
  if (modifiers & Qt::ShiftModifier) text += "Shift+";
  if (modifiers & Qt::ControlModifier) text += "Ctrl+";
  if (modifiers & Qt::AltModifier) text += "Alt+";
  return text + name;
}

// --- PageButton ---

PageButton::PageButton(QWidget* page, const QPoint& topLeft, const QString& caption,
                       int pageColorBgr)
    : SkinWindow(page), pageColor_(pageColorBgr) {
  button_ = std::make_unique<TVirtualButton>(*this, QRect(0, 0, 80, 20), caption, QString(),
                                             TextAnchor::Left, true);
  addSkinWidget(button_.get());
  move(topLeft);
  resizeFace();
  setFocusPolicy(Qt::NoFocus);
}

PageButton::~PageButton() = default;

void PageButton::resizeFace() {
  QImage face(button_->rect().width(), button_->rect().height(), QImage::Format_ARGB32);
  face.fill(colorFromBgr(pageColor_));
  setFace(face);
  button_->paint();
}

void PageButton::setCaption(const QString& caption) {
  button_->setText(caption);
  resizeFace();
}

void PageButton::setButtonWidth(int widthPx) {
  button_->setWidth(widthPx);
  resizeFace();
}

int PageButton::buttonWidth() const {
  return button_->rect().width();
}

void PageButton::setButtonEnabled(bool enabled) {
  button_->setEnabled(enabled);
  button_->paint();
}

bool PageButton::buttonEnabled() const {
  return button_->enabled();
}

void PageButton::facePressed(QMouseEvent* event) {
  event->ignore();
}

void PageButton::widgetClicked(SkinWidget*) {
  if (button_->enabled()) emit clicked();
}

// --- HotKeyEdit ---

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setContextMenuPolicy(Qt::NoContextMenu);
}

bool HotKeyEdit::event(QEvent* event) {
  // Tab stays a key of the field (moving on is a click elsewhere), as Enter
  // and Esc do.
  if (event->type() == QEvent::KeyPress) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QLineEdit::event(event);
}

void HotKeyEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
      key == Qt::Key_AltGr || key == 0 || key == Qt::Key_unknown)
    return;
  if (key == Qt::Key_Backspace && !(event->modifiers() & ~Qt::KeypadModifier)) {
    setText(QString());
    emit shortcutChanged();
    return;
  }
  const std::string text = hotKeyText(key, event->modifiers());
  if (text.empty()) return;
  setText(QString::fromStdString(text));
  emit shortcutChanged();
}

// --- ColorSwatch ---

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(40, 20);
}

void ColorSwatch::setColor(int bgr) {
  color_ = bgr & 0xFFFFFF;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colorFromBgr(color_));
  p.setPen(hasFocus() ? Qt::black : QColor(0x80, 0x80, 0x80));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier)
    emit clicked();
  else
    QWidget::keyPressEvent(event);
}

}  // namespace ui
