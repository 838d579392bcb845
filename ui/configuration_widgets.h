#pragma once
// Small controls of the configuration dialog: the skinned text buttons that
// sit on its pages, the boss key's hot-key fields and the OSD colour swatch.
// Interface thread only.
#include <QLineEdit>
#include <QWidget>

#include <memory>
#include <string>

#include "ui/skin_window.h"

namespace ui {

class TVirtualButton;

// The text form of a key with modifiers, as the boss key settings hold it
// ("Ctrl+Alt+S", "Num Del", "Shift+F5"); empty for keys that cannot be a
// shortcut (modifiers alone, keys without a name).
std::string hotKeyText(int key, Qt::KeyboardModifiers modifiers);

// A skinned text button on a page: a child window of the button's size whose
// face is the page colour, holding one text button.
class PageButton : public SkinWindow {
  Q_OBJECT
 public:
  PageButton(QWidget* page, const QPoint& topLeft, const QString& caption, int pageColorBgr);
  ~PageButton() override;
  void setCaption(const QString& caption);
  // Text buttons come in 20 px steps: the width grows to the next step.
  void setButtonWidth(int widthPx);
  int buttonWidth() const;
  void setButtonEnabled(bool enabled);
  bool buttonEnabled() const;

 signals:
  void clicked();

 protected:
  void facePressed(QMouseEvent* event) override;
  void widgetClicked(SkinWidget* widget) override;

 private:
  void resizeFace();
  int pageColor_;
  std::unique_ptr<TVirtualButton> button_;
};

// The hot-key field: a key pressed in it becomes its text; Backspace empties
// it (no shortcut). Enter and Esc are keys here too, not dialog commands.
class HotKeyEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit HotKeyEdit(QWidget* parent = nullptr);
  void setShortcut(const std::string& text) { setText(QString::fromStdString(text)); }
  std::string shortcut() const { return text().toStdString(); }

 signals:
  void shortcutChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
};

// The OSD colour swatch: shows a 0x00BBGGRR colour; a click or Space asks
// for another one.
class ColorSwatch : public QWidget {
  Q_OBJECT
 public:
  explicit ColorSwatch(QWidget* parent = nullptr);
  void setColor(int bgr);
  int color() const { return color_; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int color_ = 0;
};

}  // namespace ui
