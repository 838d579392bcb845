#include "playback/osd.h"

#include <algorithm>

namespace playback {

namespace {
constexpr double kMsPerDay = 86400000.0;
}

double osdDurationMs(size_t characters) {
  return (7.14e-7 * double(characters) + 9.286e-6) * kMsPerDay;
}

size_t utf8Length(std::string_view text) {
  size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

bool Osd::show(const std::string& text, bool osdDisplay, int64_t nowMs) {
  if (!osdDisplay) {
    const bool had = !message_.empty() || !shownText.empty();
    message_.clear();
    return had;
  }
  message_ = text;
  startMs_ = nowMs;
  durationMs_ = osdDurationMs(utf8Length(text));
  return text != shownText;
}

bool Osd::replaceText(const std::string& text) {
  if (message_.empty() || text == message_) return false;
  message_ = text;
  return true;
}

void Osd::limitDuration(double maxMs) {
  durationMs_ = std::min(durationMs_, maxMs);
}

bool Osd::expired(int64_t nowMs) const {
  return !message_.empty() && double(nowMs - startMs_) >= durationMs_;
}

void Osd::clear() {
  message_.clear();
}

bool Osd::setClock(const std::string& text) {
  if (text == clock_) return false;
  clock_ = text;
  return true;
}

}  // namespace playback
