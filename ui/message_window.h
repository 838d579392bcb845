#pragma once
// TfrmMessage and ShowMessageWindow: every error and notice of the player in
// one skinned, modal message window that sizes itself to its text, optionally
// with the box "Do not show this message in the future". Interface thread only.
#include "texts/interface_texts.h"
#include "ui/message_layout.h"
#include "ui/skin_window.h"

#include <memory>
#include <string>

namespace ui {

class TVirtualButton;
class TVirtualCheckbox;

class TfrmMessage : public SkinWindow {
  Q_OBJECT
 public:
  // Lays the window out for text (UTF-8); parent becomes its transient owner.
  TfrmMessage(const std::string& text, bool withCheckBox, const texts::InterfaceTexts& texts,
              QWidget* parent = nullptr);
  ~TfrmMessage() override;

  // Places the window (centred on the anchor window, inside the work area),
  // shows it application-modal above other windows and beeps.
  void showModal();
  bool checked() const;
  void setChecked(bool checked);
  const MessageLayout& layout() const { return layout_; }
  QRect okRect() const;
  QRect closeRect() const;
  QRect checkRect() const;
  bool hasCheckBox() const { return withCheckBox_; }

 signals:
  void closed();

 protected:
  void widgetClicked(SkinWidget* widget) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void placeOnScreen();
  MessageLayout layout_;
  bool withCheckBox_;
  std::unique_ptr<TVirtualButton> close_;
  std::unique_ptr<TVirtualButton> ok_;
  std::unique_ptr<TVirtualCheckbox> check_;
};

// The window the message window centres on (the main window); set at start-up.
void setMessageAnchorWindow(QWidget* window);

// Shows text modally; returns the check box state when withCheckBox (false
// otherwise). While a message window is open a second call returns false at
// once without showing anything. owner may be null (the anchor window is used).
bool ShowMessageWindow(const std::string& text, QWidget* owner, bool withCheckBox,
                       const texts::InterfaceTexts& texts);
// The same with the current interface texts.
bool ShowMessageWindow(const std::string& text, QWidget* owner = nullptr,
                       bool withCheckBox = false);

// True while a message window is open.
bool messageWindowOpen();

}  // namespace ui
