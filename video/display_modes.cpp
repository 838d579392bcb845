#include "video/display_modes.h"

#include <algorithm>

namespace video {

namespace {

constexpr int kMaxSide = 32767;  // X11 screen sides are 16-bit
constexpr int kMaxRefresh = 1000;

bool sameSize(const DisplayMode& a, const DisplayMode& b) {
  return a.Width == b.Width && a.Height == b.Height;
}

// Reads a run of digits; nullopt when it is empty or too large for its purpose.
std::optional<int> number(const std::string& digits, int maximum) {
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  const int v = std::stoi(digits);
  if (v > maximum) return std::nullopt;
  return v;
}

}  // namespace

std::string modeName(const DisplayMode& m) {
  return "M" + std::to_string(m.Width) + "x" + std::to_string(m.Height) + "x" +
         std::to_string(m.Refresh) + "Hz";
}

std::string modeLabel(const DisplayMode& m) {
  return std::to_string(m.Width) + " x " + std::to_string(m.Height) + " x " +
         std::to_string(m.Refresh) + " Hz";
}

std::optional<DisplayMode> parseModeName(const std::string& name) {
  std::vector<std::string> parts(1);
  for (const char ch : name) {
    if (ch == 'x') {
      if (parts.size() == 3) return std::nullopt;
      parts.emplace_back();
    } else if (ch >= '0' && ch <= '9') {
      parts.back() += ch;
    }
  }
  if (parts.size() < 2) return std::nullopt;
  const auto width = number(parts[0], kMaxSide);
  const auto height = number(parts[1], kMaxSide);
  if (!width || !height || *width < 1 || *height < 1) return std::nullopt;
  int refresh = 0;
  if (parts.size() == 3 && !parts[2].empty()) {
    const auto r = number(parts[2], kMaxRefresh);
    if (!r) return std::nullopt;
    refresh = *r;
  }
  return DisplayMode{*width, *height, refresh};
}

bool DisplayModeList::has(const std::string& label) const {
  return std::find(Labels.begin(), Labels.end(), label) != Labels.end();
}

DisplayModeList buildDisplayModeList(std::vector<DisplayMode> modes, bool atStartup) {
  modes.erase(std::remove_if(modes.begin(), modes.end(),
                             [](const DisplayMode& m) {
                               return m.Width < 1 || m.Height < 1 || m.Width > kMaxSide ||
                                      m.Height > kMaxSide || m.Refresh < 0;
                             }),
              modes.end());
  std::sort(modes.begin(), modes.end());
  modes.erase(std::unique(modes.begin(), modes.end()), modes.end());
  const int n = int(modes.size());

  // The count of a mode: entries wider, or as wide and taller.
  std::vector<int> count(n, 0);
  for (int i = 0; i < n; ++i)
    for (const DisplayMode& other : modes)
      if (other.Width > modes[i].Width ||
          (other.Width == modes[i].Width && other.Height > modes[i].Height))
        ++count[i];
  int limitW = 320, limitH = 240;
  int limitIndex = -1;
  if (atStartup) {
    int smallest = -1;
    for (int i = 0; i < n; ++i)
      if (count[i] > 1 && count[i] < n - 1 && (smallest < 0 || count[i] < smallest))
        smallest = count[i];
    for (int i = 0; i < n && limitIndex < 0; ++i)
      if (count[i] == smallest) limitIndex = i;
    if (limitIndex < 0 && n > 0) limitIndex = 0;
  } else {
    for (int i = 0; i < n && limitIndex < 0; ++i)
      if (count[i] == 2) limitIndex = i;
  }
  if (limitIndex >= 0) {
    limitW = std::min(modes[limitIndex].Width, 800);
    limitH = std::min(modes[limitIndex].Height, 600);
  }
  std::vector<DisplayMode> listed;
  for (const DisplayMode& m : modes)
    if (m.Width > limitW || (m.Width == limitW && m.Height >= limitH)) listed.push_back(m);

  DisplayModeList list;
  for (size_t j = 0; j < listed.size(); ++j) {
    const DisplayMode& m = listed[j];
    list.Labels.push_back(modeLabel(m));
    const std::string caption = std::to_string(m.Width) + "x" + std::to_string(m.Height);
    if (list.Menu.empty() || list.Menu.back().Caption != caption) {
      list.Menu.push_back({caption, "M" + caption + "x00Hz", {}});
      size_t p = 0;  // further modes of this resolution
      while (j + p + 1 < listed.size() && sameSize(listed[j + p + 1], m)) ++p;
      if (p > 2) {
        // Only the three highest rates get an item; the walk skips the rest.
        j += p - 3;
        continue;
      }
    }
    std::string name = "M" + modeLabel(m);
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    list.Menu.back().Items.push_back({std::to_string(m.Refresh) + " Hz", name});
  }
  for (ResolutionMenu& menu : list.Menu)
    if (menu.Items.size() == 1) {
      menu.Name = menu.Items[0].Name;
      menu.Items.clear();
    }
  return list;
}

std::optional<DisplayMode> resolveMode(const DisplayMode& requested,
                                       const std::vector<DisplayMode>& available,
                                       const std::optional<DisplayMode>& current) {
  if (requested.Refresh != 0)
    return std::find(available.begin(), available.end(), requested) != available.end()
               ? std::optional(requested)
               : std::nullopt;
  std::optional<DisplayMode> best;
  for (const DisplayMode& m : available) {
    if (!sameSize(m, requested)) continue;
    if (current && m == DisplayMode{m.Width, m.Height, current->Refresh}) return m;
    if (!best || m.Refresh > best->Refresh) best = m;
  }
  return best;
}

void DisplayModes::rebuild(bool atStartup) {
  modes_ = service_ ? service_->modes() : std::vector<DisplayMode>{};
  list_ = buildDisplayModeList(modes_, atStartup);
  if (atStartup) startupDisplayMode_ = currentName();
}

std::optional<DisplayMode> DisplayModes::current() const {
  return service_ ? service_->current() : std::nullopt;
}

std::string DisplayModes::currentName() const {
  const auto m = current();
  return m ? modeName(*m) : std::string();
}

bool DisplayModes::changeResolution(const std::string& itemName) {
  if (!service_) return false;
  const auto requested = parseModeName(itemName);
  if (!requested) return false;
  const auto now = current();
  const auto mode = resolveMode(*requested, modes_, now);
  if (!mode) return false;
  if (now && *now == *mode) return true;
  if (!service_->test(*mode) || !service_->apply(*mode)) return false;
  ownDisplayChange_ = true;
  lastApplied_ = mode;
  switchedAway_ = modeName(*mode) != startupDisplayMode_;
  return true;
}

bool DisplayModes::displayChanged() {
  const bool own = ownDisplayChange_;
  ownDisplayChange_ = false;
  if (!own) {
    rebuild(false);
    startupDisplayMode_ = currentName();
    switchedAway_ = false;
  }
  return own;
}

void DisplayModes::restoreStartupMode() {
  if (!switchedAway_) return;
  switchedAway_ = false;
  if (!startupDisplayMode_.empty() && currentName() != startupDisplayMode_)
    changeResolution(startupDisplayMode_);
  switchedAway_ = false;
}

}  // namespace video
