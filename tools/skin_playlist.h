#pragma once
// The playlist window's frame pieces PLAYLISTPIECE1..10 and the profiles
// editor's face PROFILESEDITOR, written as PNG files into folder. Returns the
// number of files that could not be written.
#include <QString>

int drawPlaylistSkin(const QString& folder);
