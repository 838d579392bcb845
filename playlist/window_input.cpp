#include "playlist/window_input.h"

#include <algorithm>

namespace playlist {

namespace {

KeyDecision act(ListAction action) {
  return {action, false, true};
}

KeyDecision player() {
  return {ListAction::None, true, true};
}

bool navigationKey(ListKey key) {
  return key == ListKey::Up || key == ListKey::Down || key == ListKey::Home ||
         key == ListKey::End || key == ListKey::PageUp || key == ListKey::PageDown;
}

}  // namespace

KeyDecision movieListKey(ListKey key, KeyModifiers m, bool multiSelection) {
  switch (key) {
    case ListKey::F10:
      return m.none() ? act(ListAction::Close) : player();
    case ListKey::Enter:
      // Alt+Enter stays the full-screen key.
      return m.alt ? player() : act(ListAction::Play);
    case ListKey::Escape:
      return act(ListAction::Close);
    case ListKey::Up:
    case ListKey::Down:
      if (m.alt && !m.ctrl && !m.shift)
        return act(key == ListKey::Up ? ListAction::MoveUp : ListAction::MoveDown);
      return m.none() ? act(ListAction::Navigate) : player();
    case ListKey::Insert:
      return m.none() ? act(ListAction::AddMovies) : player();
    case ListKey::Delete:
      // Only the plain key empties a list whose rows are all selected; the
      // remote "remove it" (Alt+Delete) removes one entry.
      return act(multiSelection && m.none() ? ListAction::RemoveAll : ListAction::Remove);
    case ListKey::A:
      if (m.ctrl && !m.alt && !m.shift) return {ListAction::SelectAll, false, false};
      return player();
    case ListKey::L:
      return m.shift && !m.ctrl && !m.alt ? act(ListAction::AddFolder) : player();
    default:
      if (navigationKey(key) && m.none()) return act(ListAction::Navigate);
      return player();
  }
}

KeyDecision subtitleListKey(ListKey key, KeyModifiers m) {
  switch (key) {
    case ListKey::Escape:
      return act(ListAction::Close);
    case ListKey::Enter:
      return m.alt ? player() : act(ListAction::ChooseSubtitle);
    case ListKey::Insert:
      return m.none() ? act(ListAction::AddSubtitle) : player();
    case ListKey::L:
      return m.shift && !m.ctrl && !m.alt ? act(ListAction::AddFolder) : player();
    case ListKey::F5:
      return m.none() ? act(ListAction::RebuildChoices) : player();
    default:
      if (navigationKey(key) && m.none()) return act(ListAction::Navigate);
      return player();
  }
}

KeyDecision windowKey(ListKey key, KeyModifiers m) {
  if (key == ListKey::Escape) return act(ListAction::Close);
  if (key == ListKey::L && m.shift && !m.ctrl && !m.alt) return act(ListAction::AddFolder);
  return player();
}

int dragSelectedTo(Playlist& list, int targetRow) {
  if (list.empty() || list.selectedIndex() < 0) return 0;
  const int target = std::clamp(targetRow, 0, list.count() - 1);
  int swaps = 0;
  while (list.selectedIndex() < target) {
    list.moveDown(true);
    ++swaps;
  }
  while (list.selectedIndex() > target) {
    list.moveUp(true);
    ++swaps;
  }
  return swaps;
}

}  // namespace playlist
