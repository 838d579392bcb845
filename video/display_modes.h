#pragma once
// Display modes: the list behind the "Change resolution" menu, the mode names
// the menu items carry, and the switch to a mode and back. The display itself
// is reached through DisplayModeService (XRandR in the program, a fake in
// tests). Interface thread only.
#include <optional>
#include <string>
#include <vector>

namespace video {

struct DisplayMode {
  int Width = 0;
  int Height = 0;
  int Refresh = 0;  // Hz, rounded; 0 in a resolution submenu's name: any rate
  auto operator<=>(const DisplayMode&) const = default;
};

// What the player needs of the display: its modes, the current one, a test
// and a switch that is not stored in the system's settings.
class DisplayModeService {
 public:
  virtual ~DisplayModeService() = default;
  virtual std::vector<DisplayMode> modes() = 0;
  virtual std::optional<DisplayMode> current() = 0;
  // Whether the display accepts the mode; nothing changes.
  virtual bool test(const DisplayMode& mode) = 0;
  // Switches to the mode; false when the display refused it.
  virtual bool apply(const DisplayMode& mode) = 0;
};

// "M" + width + "x" + height + "x" + refresh + "Hz".
std::string modeName(const DisplayMode& mode);
// width + " x " + height + " x " + refresh + " Hz".
std::string modeLabel(const DisplayMode& mode);
// A mode name or label back to numbers: only digits and "x" count, split at
// "x" into width, height and refresh. nullopt unless there are three numbers
// (a missing refresh reads as 0) with a width and height of 1..32767.
std::optional<DisplayMode> parseModeName(const std::string& name);

// The "Change resolution" menu: one submenu per resolution, or a single item
// where a resolution has one refresh rate.
struct ResolutionItem {
  std::string Caption;  // F + " Hz", or W + "x" + H for a lone item
  std::string Name;     // "M" + label without blanks, or the submenu's name
};
struct ResolutionMenu {
  std::string Caption;                // W + "x" + H
  std::string Name;                   // "M" + W + "x" + H + "x00Hz"
  std::vector<ResolutionItem> Items;  // empty: the submenu itself is the item
};
struct DisplayModeList {
  std::vector<std::string> Labels;  // DisplayModeLabels
  std::vector<ResolutionMenu> Menu;
  bool has(const std::string& label) const;
};

// Builds the list from the display's modes: sorted by width, height and rate,
// duplicates dropped, small modes left out (the lower limit differs between
// start-up and a rebuild after a display change made outside the player), at
// most three refresh rates per resolution in the menu.
DisplayModeList buildDisplayModeList(std::vector<DisplayMode> modes, bool atStartup);

// The mode a menu item asks for: a refresh of 0 takes the current rate when
// the display has it at that size, else the highest rate it has there.
// nullopt when the display has no mode of that size.
std::optional<DisplayMode> resolveMode(const DisplayMode& requested,
                                       const std::vector<DisplayMode>& available,
                                       const std::optional<DisplayMode>& current);

// The player's own switches and the way back. StartupDisplayMode is the mode
// to return to at exit; it follows changes made outside the player.
class DisplayModes {
 public:
  explicit DisplayModes(DisplayModeService* service) : service_(service) {}

  // Reads the modes and the current mode. atStartup selects the lower limit.
  void rebuild(bool atStartup);
  const DisplayModeList& list() const { return list_; }
  std::optional<DisplayMode> current() const;
  // The mode's name, empty when unknown.
  std::string currentName() const;

  // ChangeResolution: switches to the mode an item name asks for. Tested
  // first; false (nothing changed) when the name reads as no mode, the display
  // lacks it or refuses it. A switch to the mode in force is no switch: true.
  bool changeResolution(const std::string& itemName);
  // The mode switched to last, for laying out without waiting for the display.
  std::optional<DisplayMode> lastApplied() const { return lastApplied_; }

  // The display reported a change: consumes OwnDisplayChange and tells
  // whether the change was the player's own. An outside change rebuilds the
  // list and makes the new mode the one to return to.
  bool displayChanged();
  bool ownDisplayChange() const { return ownDisplayChange_; }

  const std::string& startupDisplayMode() const { return startupDisplayMode_; }
  // Switches back to StartupDisplayMode when the player switched away from it;
  // never otherwise. Safe to call more than once.
  void restoreStartupMode();
  bool switchedAway() const { return switchedAway_; }

 private:
  DisplayModeService* service_;
  DisplayModeList list_;
  std::vector<DisplayMode> modes_;
  std::string startupDisplayMode_;
  std::optional<DisplayMode> lastApplied_;
  bool ownDisplayChange_ = false;
  bool switchedAway_ = false;
};

}  // namespace video
