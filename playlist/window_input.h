#pragma once
// What the playlist window does with a key, and the reordering of an entry
// dragged with the mouse. Plain C++: the window maps its toolkit's keys to
// ListKey and carries out the decision. A key the lists act on never also
// reaches the player's key dispatch, so Enter plays once without switching
// the picture to full screen and an arrow acts once.
#include "playlist/playlist.h"

namespace playlist {

enum class ListKey {
  F10,
  Enter,
  Escape,
  Left,
  Right,
  Up,
  Down,
  Home,
  End,
  PageUp,
  PageDown,
  Insert,
  Delete,
  A,
  L,
  F5,
  Other
};

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool none() const { return !shift && !ctrl && !alt; }
};

enum class ListAction {
  None,            // nothing of the window's own
  Close,           // close the window
  Play,            // play the selected entry (by user)
  MoveUp,          // move the selected entry up, the selection follows
  MoveDown,        // move the selected entry down, the selection follows
  AddMovies,       // the "Add movie(s)" dialog
  AddFolder,       // the folder dialog
  Remove,          // remove the selected entry
  RemoveAll,       // remove every entry (Delete while every row is selected)
  SelectAll,       // every row selected, the subtitle choices emptied
  AddSubtitle,     // the "Add subtitle" dialog
  ChooseSubtitle,  // take the current subtitle row
  RebuildChoices,  // search the subtitle choices again
  Navigate,        // the list's own cursor movement
};

struct KeyDecision {
  ListAction action = ListAction::None;
  // The key goes on to the player's key dispatch (only keys the window does
  // not act on: the transport arrows, Space, F and the like).
  bool toPlayer = false;
  // The movie list leaves multi-selection before acting (every key but Ctrl+A).
  bool leaveMultiSelection = true;
};

// A key on the movie list; multiSelection is true after Ctrl+A selected every row.
KeyDecision movieListKey(ListKey key, KeyModifiers m, bool multiSelection);
// A key on the subtitle list.
KeyDecision subtitleListKey(ListKey key, KeyModifiers m);
// A key on the window outside both lists.
KeyDecision windowKey(ListKey key, KeyModifiers m);

// The drag of a pressed entry: moves the selected entry by neighbour swaps
// until it stands on targetRow (limited to the list), so a fast pointer that
// skipped rows still lands the entry under it. The current entry follows its
// movie. Returns the number of swaps.
int dragSelectedTo(Playlist& list, int targetRow);

}  // namespace playlist
