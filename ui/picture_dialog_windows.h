#pragma once
// TfrmAspectRatio and TfrmPanScan: the two small skinned dialogs with one
// horizontal slider, the custom aspect ratio (0.50..3.00) and the custom
// pan-scan (-50..100 %). Their logic is video::CustomRatioDialog and
// video::PanScanDialog; these windows draw it and turn keys, the wheel, the
// track and the buttons into its input. Interface thread only.
#include <functional>
#include <memory>
#include <string>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "ui/skin_window.h"
#include "video/picture_dialogs.h"

namespace ui {

class TVirtualButton;

// The common part: title, close button, track, thumb, value text, OK and Cancel.
class SliderDialog : public SkinWindow {
  Q_OBJECT
 public:
  ~SliderDialog() override;
  int thumbLeft() const { return thumbX_; }
  QRect trackRect() const { return track_; }

 signals:
  void closed();

 protected:
  SliderDialog(const char* faceImage, const std::string& title, const texts::InterfaceTexts& t,
               int trackLeft, int trackWidth, QWidget* parent);
  // One input of the logic; returns true when the dialog should close.
  virtual bool input(video::DialogInput in) = 0;
  // The slider value for a pointer x on the track.
  virtual void trackAt(int x) = 0;
  // The thumb's left edge and the text under the track, after a change.
  void showValue(int thumbX, const QString& text);
  void accept(video::DialogInput in);

  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void facePressed(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void widgetClicked(SkinWidget* widget) override;
  void closeEvent(QCloseEvent* event) override;
  // Letters that accept ("A" for the ratio, "P" for the pan-scan).
  virtual bool acceptLetter(int key) const = 0;

  std::unique_ptr<TVirtualButton> close_, ok_, cancel_;
  QRect track_;
  int thumbX_ = 0;
  bool dragging_ = false;
};

class TfrmAspectRatio : public SliderDialog {
  Q_OBJECT
 public:
  // apply: show the ratio label (lay the picture out again, the message).
  TfrmAspectRatio(video::PictureState& picture, const texts::InterfaceTexts& t,
                  std::function<void(const std::string& label)> apply, QWidget* parent = nullptr,
                  char decimalSeparator = '.');
  ~TfrmAspectRatio() override;
  int value() const { return logic_.value(); }
  // SettingsChangeScore gain of closing now.
  int closeScoreDelta() const { return logic_.closeScoreDelta(picture_); }

 protected:
  bool input(video::DialogInput in) override;
  void trackAt(int x) override;
  bool acceptLetter(int key) const override { return key == Qt::Key_A; }
  void widgetClicked(SkinWidget* widget) override;

 private:
  void step(const video::DialogStep& s);
  void refresh();
  video::PictureState& picture_;
  video::CustomRatioDialog logic_;
  std::function<void(const std::string&)> apply_;
  std::unique_ptr<TVirtualButton> restore_;
  char separator_;
};

class TfrmPanScan : public SliderDialog {
  Q_OBJECT
 public:
  // apply: PanScanSize changed to the given value (DoPanScan(explicit)).
  TfrmPanScan(settings::Settings& settings, const texts::InterfaceTexts& t,
              std::function<void(int panScan)> apply, QWidget* parent = nullptr);
  ~TfrmPanScan() override;
  int value() const { return logic_.value(); }
  int closeScoreDelta() const { return logic_.closeScoreDelta(settings_); }

 protected:
  bool input(video::DialogInput in) override;
  void trackAt(int x) override;
  bool acceptLetter(int key) const override { return key == Qt::Key_P; }

 private:
  void step(const video::DialogStep& s);
  void refresh();
  settings::Settings& settings_;
  video::PanScanDialog logic_;
  std::function<void(int)> apply_;
};

// Shows the custom ratio dialog modally where place says (its size is filled
// in); returns the SettingsChangeScore gain of its closing.
int ShowCustomRatioDialog(video::PictureState& picture, video::RatioDialogPlacement place,
                          QWidget* parent, std::function<void(const std::string&)> apply);
// Shows the custom pan-scan dialog modally with its top-left corner at the
// monitor's centre; returns the SettingsChangeScore gain of its closing.
int ShowPanScanDialog(settings::Settings& settings, const video::Bounds& monitor, QWidget* parent,
                      std::function<void(int)> apply);

}  // namespace ui
