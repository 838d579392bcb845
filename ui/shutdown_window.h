#pragma once
// TfrmShutDown: the small skinned window of the power-off countdown. Its face
// is "Message2" with the title "Message", a close button, a "Cancel" button and
// the countdown text. Not modal; it stays above the other windows, a full
// screen video included, so the countdown can always be seen and stopped.
// Interface thread only.
#include "texts/interface_texts.h"
#include "ui/skin_window.h"

#include <memory>
#include <string>

namespace ui {

class TVirtualButton;

class TfrmShutDown : public SkinWindow {
  Q_OBJECT
 public:
  explicit TfrmShutDown(const texts::InterfaceTexts& texts, QWidget* parent = nullptr);
  ~TfrmShutDown() override;

  // Shows "The computer will be shutdown\r\nin" + " " + seconds + " " + "secondes".
  void setRemainingSeconds(int seconds);
  QString countdownText() const { return text_; }
  // Centred on centreOn's screen when fullScreen, otherwise on centreOn itself
  // and kept inside that screen's work area; shown, raised and focused.
  void showCentred(QWidget* centreOn, bool fullScreen);
  // Closes without the user's cancel (the countdown ended).
  void closeQuietly();
  QRect cancelRect() const;
  QRect closeRect() const;

 signals:
  // The user closed the window: "Cancel", the close button, Enter or Esc.
  void cancelled();

 protected:
  void widgetClicked(SkinWidget* widget) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  const texts::InterfaceTexts& texts_;
  QString text_;
  bool quiet_ = false;
  std::unique_ptr<TVirtualButton> close_;
  std::unique_ptr<TVirtualButton> cancel_;
};

}  // namespace ui
