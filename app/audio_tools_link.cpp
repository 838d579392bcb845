#include "app/audio_tools_link.h"

#include "audio/window/equalizer_window.h"

namespace app {

namespace {

// The pre-amplification step of the equalizer window's Up and Down keys, in
// slider units (1 dB); negative is more gain.
constexpr int kPreAmplificationStep = 5;

}  // namespace

AudioToolsLink::AudioToolsLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                               settings::Settings& settings, const std::string& presetFile)
    : adapter_(adapter),
      player_(player),
      settings_(settings),
      equalizer_(
          std::make_unique<eqwindow::TfrmEqualizer>(settings, player.audioChain(), presetFile)) {
  eqwindow::EqualizerHooks& e = equalizer_->hooks();
  e.showOsd = [this](const std::string& text) { player_.controller().ShowCommandOsd(text); };
  e.keyPressed = [this](int key, Qt::KeyboardModifiers modifiers) {
    adapter_.keyPressed(key, modifiers);
  };

  ui::MainWindowHooks& h = adapter.hooks();
  auto previousKey = h.keyPressed;
  h.keyPressed = [this, previousKey](int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers m =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // E and Alt+G reach the Equalizer menu command through the main
    // window's key table; the pre-amplifier keys have no menu item.
    if (key == Qt::Key_Up && m == Qt::AltModifier)
      equalizer_->preAmplificationStep(-kPreAmplificationStep);
    else if (key == Qt::Key_Down && m == Qt::AltModifier)
      equalizer_->preAmplificationStep(kPreAmplificationStep);
    else if (previousKey)
      previousKey(key, modifiers);
  };
  auto previousMenu = h.menuCommand;
  h.menuCommand = [this, previousMenu](ui::MenuCommand command) {
    if (command == ui::MenuCommand::Equalizer)
      showEqualizer();
    else if (previousMenu)
      previousMenu(command);
  };
}

AudioToolsLink::~AudioToolsLink() = default;

void AudioToolsLink::showEqualizer() {
  // A showing window is placed again from where it is now, so one the user
  // left partly off the work area comes back inside it.
  if (equalizer_->isVisible()) equalizer_->storePosition();
  equalizer_->showWindow();
  equalizer_->activateWindow();
}

void AudioToolsLink::applySettings() {
  equalizer_->applySettings();
}

void AudioToolsLink::storeSettings() {
  settings_.EqualizerShow = equalizer_->isVisible();
  if (settings_.EqualizerShow) equalizer_->storePosition();
}

}  // namespace app
