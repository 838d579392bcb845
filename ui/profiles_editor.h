#pragma once
// TfrmProfilesEditor: the modal, skinned list of the movies that have
// remembered settings, with "Delete", "Delete all" and "Close". It edits the
// remembered-settings store directly. Interface thread only.
//
// The configuration dialog's "Profiles editor" button calls
// openProfilesEditor (through app::ProfilesLink::openProfilesEditor, which
// also keeps a deleted record of the open movie from being written again).
#include <QListWidget>

#include <memory>
#include <string>

#include "moviememory/movie_memory.h"
#include "moviememory/profiles_session.h"
#include "ui/skin_window.h"

namespace ui {

class TVirtualButton;

class TfrmProfilesEditor : public SkinWindow {
  Q_OBJECT
 public:
  // session must outlive the window.
  explicit TfrmProfilesEditor(moviememory::ProfilesSession& session, QWidget* parent = nullptr);
  ~TfrmProfilesEditor() override;

  QListWidget* list() const { return list_; }
  // The three text buttons, left to right.
  TVirtualButton* deleteButton() const { return delete_.get(); }
  TVirtualButton* deleteAllButton() const { return deleteAll_.get(); }
  TVirtualButton* closeButton() const { return closeText_.get(); }

  void deleteSelected();  // "Delete", the Delete key
  void deleteAll();       // "Delete all"
  // Places the window vertically centred on owner, inside its work area.
  void placeOver(const QWidget* owner);

 signals:
  void closed();

 protected:
  void widgetClicked(SkinWidget* widget) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillList(int focusRow);

  moviememory::ProfilesSession& session_;
  QListWidget* list_ = nullptr;
  std::unique_ptr<TVirtualButton> close_, delete_, deleteAll_, closeText_;
};

struct ProfilesEditorResult {
  bool changed = false;              // records were deleted and the file written
  bool openMovieRecordGone = false;  // the open movie has no record any more
};

// Opens the profiles editor over parent (the configuration dialog) and
// returns once the user closed it; only one editor is open at a time (a
// second call while one is open returns at once with nothing changed).
// store is edited in place; when a record was deleted, the store is written
// to rememberedSettingsFile (DataFolder + ProgramName + ".rs") on closing,
// and an empty store deletes that file. An unchanged store is not written,
// so a file that could not be read at start-up stays as it is.
// openMoviePath is CurrentMovie ("" when no movie is open).
ProfilesEditorResult openProfilesEditor(QWidget* parent, moviememory::MovieMemory& store,
                                        const std::string& rememberedSettingsFile,
                                        const std::string& openMoviePath);

}  // namespace ui
