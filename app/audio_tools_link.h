#pragma once
// The equalizer window as commands of the main window's adapter: E, Alt+G and
// the "Equalizer" menu item show it (or, when it shows, move it back inside
// the work area and bring it to the front); Alt+Up and Alt+Down step the
// pre-amplification as the window's own Up and Down do, also while it is
// hidden. The window's sliders drive the sound chain live.
// Interface thread only.
#include <QObject>

#include <memory>
#include <string>

#include "settings/settings.h"
#include "playback/player.h"
#include "ui/main_window_playback.h"

namespace eqwindow {
class TfrmEqualizer;
}

namespace app {

class AudioToolsLink : public QObject {
  Q_OBJECT
 public:
  // All references must outlive the link. presetFile is DataFolder +
  // "Presets.EQ". Wraps the adapter's keyPressed and menuCommand hooks; what
  // it does not serve goes on to the previous hooks.
  AudioToolsLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                 settings::Settings& settings, const std::string& presetFile);
  ~AudioToolsLink() override;

  eqwindow::TfrmEqualizer& equalizerWindow() { return *equalizer_; }
  // E, Alt+G, the menu item.
  void showEqualizer();
  // Start-up: the sliders, and through them the sound, from EqualizerSettings.
  void applySettings();
  // Exit: EqualizerShow and the window's position into the settings.
  void storeSettings();

 private:
  ui::MainWindowPlayback& adapter_;
  playback::Player& player_;
  settings::Settings& settings_;
  std::unique_ptr<eqwindow::TfrmEqualizer> equalizer_;
};

}  // namespace app
