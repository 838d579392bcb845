#pragma once
// Texts the windows put together from interface texts: file-dialog filters and
// the context menu captions. Pure functions of the table they are given, so the
// current language is used when the caller passes currentTexts(). Filters use
// the "name|patterns|name|patterns" form; toQtFilter turns one into the form a
// Qt file dialog takes.
#include <string>
#include <string_view>
#include <vector>

#include "texts/interface_texts.h"

namespace texts {

// Subtitle open dialog: Misc[1] + "|*.sub;*.srt;*.txt;*.ssa|" + Misc[2] + "|*.*".
std::string subtitleOpenFilter(const InterfaceTexts& t);

// Movie open dialog: Misc[3] + "|" + "*.ext;" for every extension in list order
// + "*.mpl|" + Misc[2] + "|*.*"; just Misc[2] + "|*.*" with no extensions.
// Extensions are lower case without the dot.
std::string movieOpenFilter(const InterfaceTexts& t, const std::vector<std::string>& extensions);

// The playlist's add-movies dialog: as movieOpenFilter without "*.mpl" (the
// pattern run keeps its last ";").
std::string playlistAddMoviesFilter(const InterfaceTexts& t,
                                    const std::vector<std::string>& extensions);

// Playlist save and load dialogs: Misc[4] + " (*.mpl)|*.mpl|" + Misc[2] + "|*.*".
std::string playlistFileFilter(const InterfaceTexts& t);

// A "|"-separated filter in Qt's form: "name (p1 p2);;name (p3)". "*.*" becomes
// "*" so files without an extension are listed too; empty patterns are dropped.
std::string toQtFilter(std::string_view filter);

struct MenuCaption {
  const char* item;  // the menu item's name, e.g. "OpenMovieMenu"
  std::string caption;
};

// Captions of the main window's context menu: each item's text followed by the
// key text shown for it (Menus[64]..Menus[67] are the key names Left, Right,
// Down, Up). Items not listed keep their captions (window sizes, recent files,
// bookmarks, filters, monitors).
std::vector<MenuCaption> mainMenuCaptions(const InterfaceTexts& t);

// Captions of the playlist window's context menu (AddMovieMenu .. AddSubtitleMenu).
std::vector<MenuCaption> playlistMenuCaptions(const InterfaceTexts& t);

// The caption of one item from either table; empty when the item is not listed.
std::string menuCaption(const std::vector<MenuCaption>& captions, std::string_view item);

// The repeat label of the main window for RepeatStatus 0, 1 or 2 (others clamp).
const std::string& repeatLabel(const InterfaceTexts& t, int repeatStatus);

// Left edge, in pixels, of the color control window's slider labels when the
// widest of the four label texts is widestPx: (97 - widestPx) div 2 + 2, the
// division truncating toward zero.
int colorLabelLeft(int widestPx);

}  // namespace texts
