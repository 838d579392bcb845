#pragma once
// TfrmColorControl: the skinned colour control window. Four horizontal
// sliders (brightness, contrast, hue, saturation) store their values in the
// settings at once while dragged; the 20 ms update hands the settings to the
// picture. The number right of each slider shows the value, the Default
// button puts back the neutral values, Left and Right step the brightness.
// Closing only hides the window. Interface thread only.
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "settings/settings.h"
#include "ui/skin_window.h"
#include "video/color_control.h"

namespace ui {
class TVirtualButton;
class TVirtualLabel;
class TVirtualTrackBar;
}  // namespace ui

namespace colorwindow {

struct ColorControlHooks {
  // Shows an on-screen message (after stopping the live position message).
  std::function<void(const std::string& text)> showOsd;
  // A user change of a remembered value: adds delta to SettingsChangeScore
  // while a movie is open (the owner checks and caps).
  std::function<void(int delta)> settingsChanged;
  // Keys the window does not use itself go to the player's key dispatch.
  std::function<void(int key, Qt::KeyboardModifiers modifiers)> keyPressed;
};

class TfrmColorControl : public ui::SkinWindow {
  Q_OBJECT
 public:
  explicit TfrmColorControl(settings::Settings& settings, QWidget* parent = nullptr);
  ~TfrmColorControl() override;

  ColorControlHooks& hooks() { return hooks_; }

  int slider(video::ColorRow row) const;
  QString numberText(video::ColorRow row) const;
  QPoint thumbCentre(video::ColorRow row) const;
  // Moves the sliders to the settings (only rows that differ are redrawn).
  // Runs on show and every 100 ms while shown, so values that the movie
  // opener or the configuration change appear at once.
  void applySettings();
  // The Left (right false) and Right keys: brightness in steps of 10 with
  // the on-screen message "Brightness: N"; score adds 5000 to the settings
  // change count (the keys do, the wheel does not).
  void brightnessStep(bool right, bool score = true);
  // The Default button.
  void defaultValues();
  // Redraws the title, row names, Default caption and close hint in the
  // current interface texts (runs on every language change).
  void applyTexts();
  // Shows the window at the place the placement rules give (its size filled in).
  void showAt(video::ColorPlacement placement);

 protected:
  void widgetClicked(ui::SkinWidget* widget) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QImage makeFace() const;
  void sliderMoved(video::ColorRow row, int value);
  void showNumber(video::ColorRow row);
  void storeAndShow(video::ColorRow row, int value);

  settings::Settings& settings_;
  ColorControlHooks hooks_;
  std::unique_ptr<ui::TVirtualButton> close_, default_;
  std::array<std::unique_ptr<ui::TVirtualTrackBar>, video::kColorRows> sliders_;
  std::array<std::unique_ptr<ui::TVirtualLabel>, video::kColorRows> numbers_;
  QTimer follow_;  // applySettings while shown
  int textsListener_ = -1;
};

}  // namespace colorwindow
