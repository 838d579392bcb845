#pragma once
// The hand cursors drawn for the player: CRHANDPOINT over clickable widgets
// and CRHANDPRESS while a widget is held. Hot spots at the finger tip.
#include <QCursor>

namespace ui {

const QCursor& handPointCursor();
const QCursor& handPressCursor();

}  // namespace ui
