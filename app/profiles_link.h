#pragma once
// The profiles editor for the configuration dialog's "Profiles editor"
// button. While the editor is open the open movie is not recorded (the
// periodic save leaves the store to the editor); when the user deleted the
// open movie's record, it is not written again until a movie is opened anew,
// neither by the periodic save nor when the movie closes. Interface thread only.
#include <QObject>

#include <string>

#include "playback/player.h"

class QWidget;

namespace app {

class ProfilesLink : public QObject {
  Q_OBJECT
 public:
  // player must outlive the link. Wraps the controller's skipRecordOnce and
  // movieOpened hooks; the previous hooks still run.
  explicit ProfilesLink(playback::Player& player);

  // Opens the modal editor over parent (the configuration dialog) and
  // returns when it closed.
  void openProfilesEditor(QWidget* parent);
  // True while the open movie must not be recorded.
  bool recordingSuppressed() const;

 private:
  playback::Player& player_;
  bool editorOpen_ = false;
  std::string deletedMovie_;  // the open movie whose record the user deleted
};

}  // namespace app
