#include "playback/osd_fit.h"

#include <algorithm>
#include <cmath>

namespace playback {

size_t osdKeptCharacters(size_t n, int fullWidthPx, int windowWidthPx, bool clockShown,
                         int clockWidthPx) {
  if (fullWidthPx <= 0) return n;
  const double room = clockShown ? windowWidthPx * 0.75 - clockWidthPx : windowWidthPx * 0.8;
  if (room <= 0) return 0;
  const double kept = std::nearbyint(double(n) * room / fullWidthPx);
  return std::min(n, size_t(kept));
}

}  // namespace playback
