#pragma once
// TfrmKeyboard: the key definitions window, a modal skinned window listing
// every action and its keys (the key-definitions interface text) in a
// read-only, scrolled list without word wrap. The window is widened, up to the
// screen width - 16, until the longest line + 30 pixels fits, by stretching
// the skin's right edge; Enter, Esc and its close button close it, dragging
// its face moves it. Interface thread only.
#include <QPlainTextEdit>

#include <memory>

#include "texts/interface_texts.h"
#include "ui/skin_window.h"

namespace ui {

class TVirtualButton;

class TfrmKeyboard : public SkinWindow {
  Q_OBJECT
 public:
  // screenWidth bounds the widening.
  TfrmKeyboard(const texts::InterfaceTexts& texts, int screenWidth, QWidget* parent = nullptr);
  ~TfrmKeyboard() override;

  QPlainTextEdit* list() const { return list_; }
  // Width in pixels of the longest line as the list shows it.
  int longestLineWidth() const { return longest_; }

 signals:
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void widgetClicked(SkinWidget* widget) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPlainTextEdit* list_ = nullptr;
  std::unique_ptr<TVirtualButton> close_;
  int longest_ = 0;
};

// The skin image widened to width by repeating a column near its right edge,
// so the frame and the title band's end keep their look. Narrower widths
// return the image unchanged.
QImage stretchRightEdge(const QImage& face, int width);

// Where the window goes: centred on anchor, kept inside area (its left and
// top edge win when it is larger).
QPoint centredInside(const QSize& size, const QRect& anchor, const QRect& area);

// Opens the window modally; nothing while it already shows. anchor is the
// main window; fullScreenMonitor, when not empty, is the monitor of a full
// screen video with the main window raised, on which the window is centred.
void ShowKeyDefinitions(QWidget* anchor, const QRect& fullScreenMonitor);
bool keyDefinitionsOpen();

}  // namespace ui
