#include "app/profiles_link.h"

#include "ui/profiles_editor.h"

namespace app {

ProfilesLink::ProfilesLink(playback::Player& player) : player_(player) {
  playback::PlaybackHooks& c = player_.controller().hooks();
  auto previousSkip = c.skipRecordOnce;
  c.skipRecordOnce = [this, previousSkip] {
    const bool earlier = previousSkip && previousSkip();
    return recordingSuppressed() || earlier;
  };
  auto previousOpened = c.movieOpened;
  c.movieOpened = [this, previousOpened](const std::string& path) {
    // A movie opened again gets its record back.
    deletedMovie_.clear();
    if (previousOpened) previousOpened(path);
  };
}

bool ProfilesLink::recordingSuppressed() const {
  if (editorOpen_) return true;
  return !deletedMovie_.empty() && deletedMovie_ == player_.state().CurrentMovie;
}

void ProfilesLink::openProfilesEditor(QWidget* parent) {
  if (editorOpen_) return;
  editorOpen_ = true;
  const std::string open = player_.state().CurrentMovie;
  const ui::ProfilesEditorResult result =
      ui::openProfilesEditor(parent, player_.movieMemory(), player_.rememberedSettingsPath(), open);
  editorOpen_ = false;
  if (result.openMovieRecordGone) deletedMovie_ = open;
}

}  // namespace app
