#pragma once
// System-wide hot keys on X11: a key combination grabbed on the root window
// reaches the player whichever window has the focus. Used by the boss key.
// Interface thread only; without an X11 display nothing is grabbed.
#include <QAbstractNativeEventFilter>

#include <functional>
#include <vector>

#include "app/boss_key.h"

namespace app {

class HotKeys : public QAbstractNativeEventFilter {
 public:
  HotKeys();
  ~HotKeys() override;
  // Grabs the shortcut; false when the display refuses it (another program
  // holds it) or there is no X11 display.
  bool add(int id, const Shortcut& shortcut, std::function<void()> action);
  void removeAll();

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  struct Grab {
    int id;
    unsigned keycode;
    unsigned modifiers;
    std::function<void()> action;
  };
  std::vector<Grab> grabs_;
  bool installed_ = false;
};

}  // namespace app
