#pragma once
// The hand cursors drawn for the player: CRHANDPOINT over clickable widgets
// and CRHANDPRESS while a widget is held. Hot spots at the finger tip. Also
// the program's icon (APPICON), which every window of the player carries.
#include <QCursor>
#include <QIcon>

namespace ui {

const QCursor& handPointCursor();
const QCursor& handPressCursor();
// APPICON at its own size and scaled to the usual title bar and task bar sizes.
QIcon applicationIcon();

}  // namespace ui
