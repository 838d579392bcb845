#pragma once
// TfrmJump: the modal jump-to-time dialog. A skinned window with the caption
// "Jump to time", a time field of at most 8 characters, the label "from" and
// the movie's length, OK, Cancel and a close button. The field takes the
// digits, ":" and Backspace; Enter (or OK) confirms, Esc (or Cancel, or the
// close button) closes. A confirmed text that is no time (playback/jump_time.h)
// refills the field with the last jump time and beeps; the dialog stays.
// Interface thread only.
#include <QLineEdit>

#include <cstdint>
#include <memory>
#include <optional>

#include "playback/jump_time.h"
#include "texts/interface_texts.h"
#include "ui/skin_window.h"

namespace ui {

class TVirtualButton;

class TfrmJump : public SkinWindow {
  Q_OBJECT
 public:
  // lastSeconds: the last jump time (shown capped at durationSeconds).
  TfrmJump(int64_t lastSeconds, int64_t durationSeconds, const texts::InterfaceTexts& texts,
           QWidget* parent = nullptr);
  ~TfrmJump() override;

  // The confirmed time in seconds once the dialog closed on a valid time.
  std::optional<int64_t> result() const { return result_; }
  QLineEdit* field() const { return field_; }
  QRect okRect() const;
  QRect cancelRect() const;

 signals:
  void closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void widgetClicked(SkinWidget* widget) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void confirm();
  void refill();

  int64_t shownSeconds_;
  std::optional<int64_t> result_;
  QLineEdit* field_ = nullptr;
  std::unique_ptr<TVirtualButton> close_, ok_, cancel_;
};

// Shows the dialog modally where placement says (its size is filled in) and
// returns the confirmed seconds, or nothing when it was closed. One at a time:
// nothing while it already shows.
std::optional<int64_t> ShowJumpDialog(int64_t lastSeconds, int64_t durationSeconds,
                                      playback::JumpPlacement placement, QWidget* parent);
bool jumpDialogOpen();

}  // namespace ui
