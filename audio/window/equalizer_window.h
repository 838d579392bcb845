#pragma once
// TfrmEqualizer: the skinned equalizer window. Eleven vertical sliders, the
// pre-amplification at x 70 and bands 0..9 at x 127 + 30k, apply their value
// to the sound chain at once while dragged; the number above each shows the
// gain in dB. The two small buttons open the preset dialog. The slider values
// live in the settings' EqualizerSettings. Interface thread only.
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "audio/eq_presets.h"
#include "audio/window/preset_dialog.h"
#include "ui/skin_window.h"

namespace audio {
class ProcessingChain;
}
namespace ui {
class TVirtualButton;
class TVirtualLabel;
class TVirtualTrackBar;
}  // namespace ui

namespace eqwindow {

struct EqualizerHooks {
  // Shows an on-screen message (after stopping the live position message).
  std::function<void(const std::string& text)> showOsd;
  // Keys the window does not use itself go to the player's key dispatch.
  std::function<void(int key, Qt::KeyboardModifiers modifiers)> keyPressed;
};

class TfrmEqualizer : public ui::SkinWindow {
  Q_OBJECT
 public:
  // chain may be null (no sample tap): the sliders then only keep values.
  // presetFile is DataFolder + "Presets.EQ".
  TfrmEqualizer(settings::Settings& settings, audio::ProcessingChain* chain, std::string presetFile,
                QWidget* parent = nullptr);
  ~TfrmEqualizer() override;

  EqualizerHooks& hooks() { return hooks_; }

  // Slider index 0 pre-amplification, 1..10 bands 0..9. Clamps to
  // -100..100, moves the thumb, applies it to the chain, redraws the number
  // and stores it in EqualizerSettings.
  void setSlider(int index, int value);
  int slider(int index) const;
  QString numberText(int index) const;
  // Moves every slider to EqualizerSettings (start-up).
  void applySettings();
  // The pre-amplification keys: a step of delta slider units (negative is
  // more gain), or back to 0; each shows "Preamplification: N" on the picture.
  void preAmplificationStep(int delta);
  void preAmplificationReset();

  // Shows the window at EqualizerXPosition/YPosition clamped into the work
  // area; hiding stores the position back.
  void showWindow();
  void toggleWindow();
  void storePosition();

  // Opens the preset dialog (nothing while one is open).
  void openPresetDialog(TfrmLoadSavePreset::Mode mode);
  TfrmLoadSavePreset* presetDialog() const { return dialog_; }

  // Slider centre x of index.
  static int sliderX(int index) { return index == 0 ? 70 : 127 + 30 * (index - 1); }

 protected:
  void widgetClicked(ui::SkinWidget* widget) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void sliderMoved(int index, int value);
  void showPreAmplification();
  audio::PresetValues currentValues() const;
  void applyValues(const audio::PresetValues& values);
  void dialogFinished(bool accepted);

  settings::Settings& settings_;
  audio::ProcessingChain* chain_;
  std::string presetFile_;
  EqualizerHooks hooks_;
  std::unique_ptr<ui::TVirtualButton> close_, load_, save_;
  std::array<std::unique_ptr<ui::TVirtualTrackBar>, 11> sliders_;
  std::array<std::unique_ptr<ui::TVirtualLabel>, 11> numbers_;
  QPointer<TfrmLoadSavePreset> dialog_;
  audio::PresetValues beforeLoad_{};
};

}  // namespace eqwindow
